#include "app/quit_signals.h"

#include <gtest/gtest.h>

#include <csignal>
#include <initializer_list>

namespace ventora {
namespace {

// Ctrl+C, a kill and a closed terminal each only ask the game to quit; the process goes on until
// its host has ended the session cleanly.
TEST(QuitSignals, EachIsNotedOnceAndTheProcessGoesOn) {
  watch_quit_signals();
  EXPECT_FALSE(take_quit_request());
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
    SCOPED_TRACE(signal);
    ASSERT_EQ(std::raise(signal), 0);
    EXPECT_TRUE(take_quit_request());
    EXPECT_FALSE(take_quit_request());
  }
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) std::signal(signal, SIG_DFL);
}

}  // namespace
}  // namespace ventora
