#include "app/frame_timing.h"

#include "game/run.h"
#include "tests/support/play_frame.h"

#include <gtest/gtest.h>

namespace ventora {
namespace {

TEST(FrameTiming, TimeStepIsCappedWithoutLowerBound) {
  EXPECT_FLOAT_EQ(frame_dt(0.2), 0.05f);
  EXPECT_FLOAT_EQ(frame_dt(0.05), 0.05f);
  EXPECT_FLOAT_EQ(frame_dt(0.016), 0.016f);
  EXPECT_FLOAT_EQ(frame_dt(0.0), 0.0f);
}

TEST(FramePacing, WaitsOutTheRestOfOneRefreshUnlessVsyncAlreadyDid) {
  struct Case {
    const char* what;
    FramePacing pacing;
    double elapsed;
    double wait;
  };
  const Case cases[] = {
      {"no vsync, 60 Hz, quick frame", {60, false, {}}, 0.004, 1.0 / 60 - 0.004},
      {"no vsync, refresh unknown: 60 Hz", {0, false, {}}, 0.004, 1.0 / 60 - 0.004},
      {"no vsync, 144 Hz", {144, false, {}}, 0.002, 1.0 / 144 - 0.002},
      {"no vsync, slow frame", {60, false, {}}, 0.030, 0},
      {"vsync waited in the swap", {60, true, {}}, 0.0166, 0},
      {"vsync a little early", {60, true, {}}, 0.012, 0},
      {"vsync ignored: swap came back at once", {60, true, {}}, 0.001, 1.0 / 60 - 0.001},
      {"cap below the refresh", {60, true, 30}, 0.0167, 1.0 / 30 - 0.0167},
      {"cap above the refresh, vsync waits", {60, true, 144}, 0.0167, 0},
      {"cap without vsync", {0, false, 100}, 0.004, 0.01 - 0.004},
      {"uncapped", {60, false, 0}, 0.001, 0},
      {"uncapped with vsync", {60, true, 0}, 0.001, 0},
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(frame_wait_seconds(c.pacing, c.elapsed), c.wait, 1e-12) << c.what;
  }
}

}  // namespace
}  // namespace ventora

namespace ventora {
namespace {

TEST(FrameTiming, ASlowFrameAdvancesEveryTimerByTheCapOnly) {
  Pcg32 rng;
  GameState state = start_run(rng, {1765000000, 0}, OutputMode::Hd720);
  state.modifier_stack.shield_time = 1.0f;
  state.launch_pads[0].phase = LaunchPhase::WindUp;
  state.boss_guard_time = 0.5f;
  const float boss_before = state.boss_angle;
  FrameInput input;
  input.screen_width = 1280;
  input.screen_height = 720;
  play_frame(state, rng, input, frame_dt(0.2));
  EXPECT_FLOAT_EQ(state.modifier_stack.shield_time, 0.95f);
  EXPECT_FLOAT_EQ(state.launch_pads[0].phase_time, 0.05f);
  EXPECT_FLOAT_EQ(state.boss_guard_time, 0.45f);
  EXPECT_FLOAT_EQ(state.boss_angle, boss_before + 0.86f * 0.05f);
  EXPECT_FLOAT_EQ(state.planet_time, 0.15f * 0.05f);

  state.screen = Screen::Countdown;
  state.countdown = 3.55f;
  play_frame(state, rng, input, frame_dt(0.2));
  EXPECT_FLOAT_EQ(state.countdown, 3.5f);
}

}  // namespace
}  // namespace ventora
