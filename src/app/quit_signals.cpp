#include "app/quit_signals.h"

#include <csignal>
#include <initializer_list>

namespace ventora {

namespace {

volatile std::sig_atomic_t quit_requested = 0;

void note_quit_request(int) { quit_requested = 1; }

}  // namespace

void watch_quit_signals() {
  struct sigaction action {};
  action.sa_handler = note_quit_request;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) sigaction(signal, &action, nullptr);
}

bool take_quit_request() {
  const bool requested = quit_requested != 0;
  quit_requested = 0;
  return requested;
}

}  // namespace ventora
