#include "bench/scripted_fight.h"

#include "draw/canvas.h"
#include "game/run.h"
#include "layout/frame_geometry.h"
#include "layout/render_settings.h"
#include "view/scene.h"

namespace ventora {

namespace {

constexpr float kStep = 1.0f / 60.0f;
constexpr ClockReading kClock{1765000000, 0};

FrameInput scripted_input(int frame, float width, float height) {
  FrameInput input;
  input.screen_width = width;
  input.screen_height = height;
  input.time = frame * kStep;
  input.hold((frame / 90) % 2 == 0 ? Key::D : Key::A);
  if (frame % 45 == 0) input.press(Key::J);
  return input;
}

}  // namespace

ScriptedFight::ScriptedFight(OutputMode mode) : mode_(mode), state_(start_run(rng_, kClock, mode)) {
  const WindowSize size = target_window_size(state_.render_settings);
  width_ = static_cast<int>(size.width);
  height_ = static_cast<int>(size.height);
}

DrawList ScriptedFight::next() {
  FrameInput input = scripted_input(frame_++, static_cast<float>(width_), static_cast<float>(height_));
  update_game(state_, rng_, input, frame_geometry(mode_, input), kStep);
  if (state_.screen != Screen::Fight) state_ = start_run(rng_, kClock, mode_);
  DrawList list;
  Canvas canvas(list, input.screen_width, input.screen_height);
  canvas.set_time(input.time);
  draw_scene(state_, canvas);
  return list;
}

}  // namespace ventora
