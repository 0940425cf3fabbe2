// The desktop host's waits between steps, for tests: each wait is logged and moves a fake clock
// on, and a wait asked for while a step runs fails the test.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "app/desktop_host.h"

namespace ventora::testing {

class FakeWaits final : public StepWaits {
 public:
  bool in_step = false;
  double now = 0;                  // the fake clock, moved on only by the waits
  double seconds_per_frame = 0;    // what a shown frame's pacing adds to it
  int paced = 0;
  std::vector<double> rests;

  void after_shown() override {
    if (in_step) ADD_FAILURE() << "paced inside a step";
    ++paced;
    now += seconds_per_frame;
  }
  void rest(double seconds) override {
    if (in_step) ADD_FAILURE() << "rested inside a step";
    rests.push_back(seconds);
    now += seconds;
  }
  // `step`, marked as running while it runs.
  template <typename Step>
  StepResult stepping(Step&& step) {
    in_step = true;
    const StepResult result = step();
    in_step = false;
    return result;
  }
};

}  // namespace ventora::testing
