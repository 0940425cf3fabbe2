#include "tests/support/run_bot.h"

#include <algorithm>
#include <array>
#include <optional>

#include "game/run.h"
#include "layout/frame_layout.h"
#include "view/screens.h"
#include "tests/support/update_laid_out.h"

namespace ventora::bot {

namespace {

constexpr Color kCardBoxColour = Color::rgba8(29, 35, 55);
constexpr Color kButtonColour = Color::rgba8(92, 151, 103);

// Cards from the easiest for the bot to live with to the hardest (it cannot play slow or
// confused, and one hit point leaves it no room).
constexpr std::array kPreference = {
    Card::Buff,           Card::ShieldOfTrust,     Card::LightMagic,     Card::Vampire,
    Card::BloodMagic,     Card::VampiresDen,       Card::HeightAndSpeed, Card::SpeedAndHeight,
    Card::Weaken,         Card::DoubleTrouble,     Card::OverwhelmingOdds, Card::Reverse,
    Card::BounceHouse,    Card::TitForTat,         Card::Clone,          Card::Speedster,
    Card::TickTock,       Card::Confuse,           Card::SlowButSteady,  Card::LongLifeUnlikely,
    Card::EyeForAnEye,    Card::UltimateSacrifice, Card::BrawnOverBrains, Card::CrushingWeight,
};

int rank(Card card) {
  return static_cast<int>(std::find(kPreference.begin(), kPreference.end(), card) -
                          kPreference.begin());
}

Vec2 centre_of(const Rect& r) { return {r.x + r.w / 2.0f, r.y + r.h / 2.0f}; }

// The filled rectangles of one colour that the overlay draws for this frame's screen.
std::vector<Rect> drawn_rects(const GameState& state, const FrameInput& input, Color colour) {
  DrawList list;
  Canvas canvas(list, input.screen_width, input.screen_height);
  draw_overlay(state, canvas, frame_geometry(state.render_settings.mode, input));
  std::vector<Rect> rects;
  for (const DrawCommand& c : list.commands)
    if (c.op == DrawOp::Rectangle && c.color == colour) rects.push_back(c.rect);
  return rects;
}

std::optional<std::string> drawn_title(const GameState& state, const FrameInput& input) {
  DrawList list;
  Canvas canvas(list, input.screen_width, input.screen_height);
  draw_overlay(state, canvas, frame_geometry(state.render_settings.mode, input));
  for (const DrawCommand& c : list.commands)
    if (c.op == DrawOp::Text && c.text.ends_with(" Complete")) return c.text;
  return std::nullopt;
}

bool use_mouse(PickWith with, int count) {
  return with == PickWith::Mouse || (with == PickWith::Alternate && count % 2 == 1);
}

void press_named(FrameInput& input, Key key, const char* name) {
  input.press(key);
  input.pressed_names.emplace_back(name);
}

// The fight bot's keys, bent to the plan: standing still once it gives up, and on stage 4
// jumping on the spot instead of firing until the jump count says the wanted next stage.
FrameInput planned_fight_input(const GameState& state, const RunPlan& plan) {
  if (plan.give_up_at_stage != 0 && state.stage >= plan.give_up_at_stage) return FrameInput{};
  FrameInput input = fight_input(state, plan.dt);
  if (plan.route == Route::AsItComes || state.stage != 4 || state.screen != Screen::Fight)
    return input;
  const bool want_prime = plan.route == Route::ThroughBonus;
  if (is_prime(state.jump_count) == want_prime) return input;
  input.pressed.reset(static_cast<size_t>(Key::J));
  std::erase(input.pressed_names, "J");
  if (state.player_height <= 0 && !input.is_pressed(Key::Space)) {
    press_named(input, Key::Space, "Space");
  }
  return input;
}

void leave_stage_clear(GameState& state, FrameInput& input, const RunPlan& plan, RunRecord& record) {
  if (auto title = drawn_title(state, input)) record.stage_clear_titles.push_back(*title);
  const int count = record.key_continues + record.mouse_continues;
  if (use_mouse(plan.pick_with, count)) {
    const std::vector<Rect> button = drawn_rects(state, input, kButtonColour);
    if (button.size() == 1) {
      input.left_click = true;
      input.mouse = centre_of(button[0]);
      ++record.mouse_continues;
      return;
    }
  }
  press_named(input, Key::C, "C");
  ++record.key_continues;
}

void pick_card(GameState& state, FrameInput& input, const RunPlan& plan, RunRecord& record) {
  const int box = plan.choose ? plan.choose(state) : preferred_box(state);
  record.picked.push_back(state.offer[static_cast<size_t>(box)].card);
  if (use_mouse(plan.pick_with, record.key_picks + record.mouse_picks)) {
    const std::vector<Rect> boxes = drawn_rects(state, input, kCardBoxColour);
    if (boxes.size() == 3) {
      input.left_click = true;
      input.mouse = centre_of(boxes[static_cast<size_t>(box)]);
      ++record.mouse_picks;
      return;
    }
  }
  constexpr Key kKeys[] = {Key::Num1, Key::Num2, Key::Num3};
  constexpr const char* kNames[] = {"Key1", "Key2", "Key3"};
  press_named(input, kKeys[box], kNames[box]);
  ++record.key_picks;
}

}  // namespace

int preferred_box(const GameState& state) {
  int best = 0;
  for (int i = 1; i < 3; ++i) {
    if (rank(state.offer[static_cast<size_t>(i)].card) <
        rank(state.offer[static_cast<size_t>(best)].card))
      best = i;
  }
  return best;
}

RunRecord play_run(GameState& state, Pcg32& rng, const RunPlan& plan) {
  RunRecord record;
  bool in_fight = false;
  while (record.frames < plan.max_frames && state.screen != Screen::Victory &&
         state.screen != Screen::Defeat) {
    const bool fighting = state.screen == Screen::Fight || state.screen == Screen::Countdown;
    if (fighting && !in_fight) record.stages.push_back(state.stage);
    in_fight = fighting;

    FrameInput input = fighting ? planned_fight_input(state, plan) : FrameInput{};
    const FrameInput frame = idle_input(state, record.time);
    input.screen_width = frame.screen_width;
    input.screen_height = frame.screen_height;
    input.time = record.time;
    if (state.screen == Screen::StageClear) leave_stage_clear(state, input, plan, record);
    if (state.screen == Screen::CardChoice) pick_card(state, input, plan, record);

    if (plan.step) {
      plan.step(state, rng, input, plan.dt);
    } else {
      update_laid_out(state, rng, input, plan.dt);
    }
    if (plan.on_frame) plan.on_frame(state, input);
    record.time += plan.dt;
    ++record.frames;
    if (plan.until && plan.until(state)) break;
  }
  return record;
}

void idle_frames(GameState& state, Pcg32& rng, float dt, int frames, double& time) {
  for (int i = 0; i < frames; ++i) {
    update_laid_out(state, rng, idle_input(state, time), dt);
    time += dt;
  }
}

}  // namespace ventora::bot
