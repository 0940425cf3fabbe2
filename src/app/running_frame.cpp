#include "app/running_frame.h"

#include "draw/canvas.h"
#include "game/run.h"
#include "view/scene.h"

namespace ventora {

DefeatCueChange defeat_cue_change(Screen previous, Screen current) {
  if (previous != Screen::Defeat && current == Screen::Defeat) return DefeatCueChange::Start;
  if (previous == Screen::Defeat && current == Screen::Fight) return DefeatCueChange::Release;
  return DefeatCueChange::None;
}

FrameOutcome run_frame(GameState& state, Pcg32& rng, MusicPlayer* music, const FrameInput& input,
                       float dt, DrawList& list, const ClockSource& clock, EffectCues* effects) {
  FrameOutcome outcome;
  if (input.is_pressed(Key::Escape)) {
    outcome.quit = true;
    return outcome;
  }
  const Screen previous_screen = state.screen;
  if (effects) effects->before_frame(state);
  music_tick(music, rng, dt);
  outcome.window_size = update_game(state, rng, input, dt, clock);
  switch (defeat_cue_change(previous_screen, state.screen)) {
    case DefeatCueChange::Start: start_defeat_cue(music); break;
    case DefeatCueChange::Release: release_hold(music); break;
    case DefeatCueChange::None: break;
  }
  if (effects) effects->after_frame(state, input);
  Canvas canvas(list, input.screen_width, input.screen_height);
  canvas.set_time(input.time);
  canvas.set_mouse(input.mouse);
  draw_scene(state, canvas, input.pad_in_use);
  return outcome;
}

}  // namespace ventora
