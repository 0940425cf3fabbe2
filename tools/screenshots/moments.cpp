#include "moments.h"

#include "draw/canvas.h"
#include "game/run.h"
#include "view/scene.h"

namespace ventora {

std::optional<std::string_view> pictured_screen(const GameState& state) {
  const bool striking = state.launch_pads[0].phase == LaunchPhase::Strike ||
                        state.launch_pads[1].phase == LaunchPhase::Strike;
  switch (state.screen) {
    case Screen::Fight:
      if (state.stage == 1 && striking) return "fight";
      if (state.stage == 6 && striking) return "bonus-stage";
      return std::nullopt;
    case Screen::StageClear: return "stage-clear";
    case Screen::CardChoice: return "card-choice";
    case Screen::Countdown:
      if (state.countdown < 2.5f) return "countdown";
      return std::nullopt;
    case Screen::Victory:
    case Screen::Defeat: return std::nullopt;
  }
  return std::nullopt;
}

bot::RunPlan pictured_run_plan() {
  bot::RunPlan plan;
  plan.route = bot::Route::ThroughBonus;
  return plan;
}

DrawList frame_drawing(const GameState& state, const FrameInput& input) {
  DrawList list;
  Canvas canvas(list, input.screen_width, input.screen_height);
  canvas.set_time(input.time);
  canvas.set_mouse(input.mouse);
  draw_scene(state, canvas);
  return list;
}

std::optional<PicturedFrame> pictured_fight(OutputMode mode) {
  Pcg32 rng;
  GameState state = start_run(rng, kPictureClock, mode);
  std::optional<PicturedFrame> fight;
  bot::RunPlan plan = pictured_run_plan();
  plan.on_frame = [&](const GameState& s, const FrameInput& input) {
    if (!fight && pictured_screen(s) == "fight") fight = PicturedFrame{s, input};
  };
  plan.until = [&](const GameState&) { return fight.has_value(); };
  bot::play_run(state, rng, plan);
  return fight;
}

}  // namespace ventora
