#include "view/hud.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "layout/snap.h"
#include "view/palette.h"

namespace ventora {

namespace {

constexpr Color kPanel = Color::rgba8(14, 18, 30, 180);
constexpr Color kMarkerFull = Color::rgba8(122, 216, 135);
constexpr Color kMarkerEmpty = Color::rgba8(63, 67, 77);
constexpr Color kShield = Color::rgba8(120, 200, 255);
constexpr Color kSacrifice = Color::rgba8(255, 120, 100);
constexpr Color kWeaken = Color::rgba8(180, 120, 255);
constexpr float kRightMargin = 28;

std::string enemy_counter(const GameState& state) {
  if (state.modifier_stack.clone_active) {
    std::int64_t enemies = state.boss_present ? 1 : 0;
    enemies += std::count_if(state.clones.begin(), state.clones.end(),
                             [](const BossClone& c) { return c.active; });
    return "Enemies " + std::to_string(std::max<std::int64_t>(0, enemies));
  }
  return "Boss HP " + std::to_string(std::max(0, state.boss_hp));
}

std::string stage_label(std::uint64_t stage) {
  return stage == 6 ? std::string("Cantaloupe Island") : "Stage " + std::to_string(stage);
}

std::string cards_line(const ModifierStack& stack) {
  std::string line = "Cards: ";
  for (size_t i = 0; i < stack.picks.size(); ++i) {
    if (i > 0) line += ", ";
    line += card_name(stack.picks[i]);
  }
  return line;
}

// The hit-point row shows the cap, so Brawn Over Brains' single marker stays while it lasts.
void draw_markers(const GameState& state, Canvas& canvas, const HudScale& s) {
  const std::int32_t markers = std::max(1, hp_cap(state.modifier_stack));
  for (std::int32_t i = 0; i < markers; ++i) {
    const Vec2 centre{s.x(46.0f + 24.0f * static_cast<float>(i)), s.y(75)};
    canvas.circle(centre, s.x(8), i < state.player_hp ? kMarkerFull : kMarkerEmpty);
  }
}

void draw_timer(Canvas& canvas, const HudScale& s, std::string_view name, float seconds,
                float baseline, Color colour) {
  if (seconds <= 0) return;
  const std::string text = std::string(name) + " " + whole_text(seconds) + "s";
  canvas.text(text, {s.x(34), s.y(baseline)}, s.font(16), colour);
}

}  // namespace

std::string whole_text(float v) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.0f", std::nearbyint(static_cast<double>(v)));
  return buffer;
}

std::string stat_text(const ModifierStack& stack, std::string_view name, ModifierKind kind, float total) {
  std::string parts = "100%";
  for (const Modifier& m : stack.modifiers) {
    if (m.kind == kind) parts += "\u00d7" + std::to_string(m.value) + "%";
  }
  return std::string(name) + ": " + parts + " = " + whole_text(total * 100.0f) + "%";
}

std::string stat_line(const ModifierStack& stack) {
  const StatBlock s = aggregate_stats(stack);
  std::string run = stat_text(stack, "run", ModifierKind::RunSpeed, s.run);
  if (s.speed_and_height && effective_run(s) > s.run)
    run += " \u2192" + whole_text(effective_run(s) * 100.0f) + "%";
  std::string jump = stat_text(stack, "jump", ModifierKind::JumpHeight, s.jump);
  if (s.height_and_speed && effective_jump(s) > s.jump)
    jump += " \u2192" + whole_text(effective_jump(s) * 100.0f) + "%";
  const std::string grav = stat_text(stack, "grav", ModifierKind::Gravity, s.gravity);
  // Launch speed relative to the base jump; Tick, Tock is left out.
  const float launch = std::sqrt(effective_jump(s) * s.gravity) * 100.0f;
  return "run " + run + " | jump " + jump + " | grav " + grav + " | launch " + whole_text(launch) +
         "% | dmg " + std::to_string(damage_dealt(stack)) + " vs " +
         std::to_string(damage_taken(stack));
}

void text_centred(Canvas& canvas, std::string_view text, float centre_x, float baseline,
                  float font_size, Color colour) {
  const float width = canvas.measure_text(text, font_size).width;
  canvas.text(text, {centre_x - width / 2.0f, baseline}, font_size, colour);
}

void text_right(Canvas& canvas, std::string_view text, float right_x, float baseline,
                float font_size, Color colour) {
  const float width = canvas.measure_text(text, font_size).width;
  canvas.text(text, {right_x - width, baseline}, font_size, colour);
}

void draw_hud(const GameState& state, Canvas& canvas, const std::optional<FrameLayout>& layout) {
  const HudScale s = hud_scale(layout, canvas.screen_width(), canvas.screen_height());
  const ModifierStack& cards = state.modifier_stack;
  const float right = s.width - s.x(kRightMargin);

  canvas.rectangle({s.x(18), s.y(16), s.x(424), s.y(82)}, kPanel);
  canvas.text("A/D run   Space jumps   J/Enter fires", {s.x(34), s.y(47)}, s.font(24), palette::kCream);
  draw_markers(state, canvas, s);
  text_right(canvas, enemy_counter(state), right, s.y(43), s.font(26), palette::kCream);
  text_right(canvas, stage_label(state.stage), right, s.y(74), s.font(26), palette::kGold);
  if (!cards.picks.empty()) {
    canvas.text(cards_line(cards), {s.x(34), s.y(108)}, s.font(16), palette::kSoft);
    canvas.text(stat_line(cards), {s.x(34), s.y(128)}, s.font(15), palette::kDim);
  }
  draw_timer(canvas, s, "Shield", cards.shield_time, 148, kShield);
  draw_timer(canvas, s, "Sacrifice", cards.sacrifice_time, 168, kSacrifice);
  draw_timer(canvas, s, "Weaken", cards.weaken_time, 188, kWeaken);
}

}  // namespace ventora
