// GL tests need a GL context. Without one a test skips on a developer's machine, with one line
// saying why, but fails under CI (`CI` set): there a skipped picture test would pass unseen.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>

namespace ventora::test {

inline bool running_under_ci() {
  const char* ci = std::getenv("CI");
  return ci != nullptr && *ci != '\0';
}

}  // namespace ventora::test

// For a fixture's SetUp: a fatal failure or a skip there keeps the test body from running.
#define VENTORA_REQUIRE_GL(available, why)                                   \
  do {                                                                       \
    if (!(available)) {                                                      \
      if (::ventora::test::running_under_ci()) {                             \
        FAIL() << "no GL context, and CI needs every GL test run: " << (why); \
      } else {                                                               \
        GTEST_SKIP() << "no GL context: " << (why);                          \
      }                                                                      \
    }                                                                        \
  } while (false)
