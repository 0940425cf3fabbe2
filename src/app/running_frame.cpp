#include "app/running_frame.h"

#include "app/sound_events.h"
#include "draw/canvas.h"
#include "game/run.h"
#include "layout/overlay_geometry.h"
#include "view/scene.h"

namespace ventora {

namespace {

// The card box under the pointer while the card choice shows.
std::optional<int> hovered_card(Screen screen, const FrameGeometry& geometry, Vec2 mouse) {
  if (screen != Screen::CardChoice) return std::nullopt;
  return card_box_at(geometry.hud, mouse);
}

}  // namespace

FrameOutcome run_frame(GameState& state, Pcg32& rng, MusicPlayer* music, const FrameInput& input,
                       const FrameGeometry& geometry, float dt, DrawList& list,
                       const ClockSource& clock, EffectCues* effects) {
  FrameOutcome outcome;
  if (input.is_pressed(Key::Escape)) {
    outcome.quit = true;
    return outcome;
  }
  music_tick(music, rng, dt);
  const GameUpdate update = update_game(state, rng, input, geometry, dt, clock);
  outcome.window_size = update.window_size;
  switch (defeat_cue_change(update.events)) {
    case DefeatCueChange::Start: start_defeat_cue(music); break;
    case DefeatCueChange::Release: release_hold(music); break;
    case DefeatCueChange::None: break;
  }
  if (effects) {
    effects->play(update.events, hovered_card(state.screen, geometry, input.mouse), input.time);
  }
  Canvas canvas(list, input.screen_width, input.screen_height);
  canvas.set_time(input.time);
  canvas.set_mouse(input.mouse);
  draw_scene(state, canvas, geometry, input.pad_in_use);
  return outcome;
}

}  // namespace ventora
