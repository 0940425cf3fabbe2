#include "view/hud.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "layout/scene_clearance.h"
#include "view/control_hints.h"
#include "view/line_breaks.h"
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
  if (state.modifier_stack.fight.clone_active) {
    std::int64_t enemies = state.boss_present ? 1 : 0;
    enemies += std::count_if(state.clones.begin(), state.clones.end(),
                             [](const BossClone& c) { return c.active; });
    return "Enemies " + std::to_string(std::max<std::int64_t>(0, enemies));
  }
  return "Boss HP " + std::to_string(std::max(0, state.boss_hp));
}

std::string stage_label(std::uint64_t stage) {
  return stage == kBonusStage ? std::string("Cantaloupe Island") : "Stage " + std::to_string(stage);
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

// Baselines and widths for a column of the HUD's lines. OG output keeps the reference layout
// as it stands. In HD output the fonts grow with the screen's width but the reference gaps only
// with its height, so there each line goes at least a quarter of the smaller font below the line
// above (the first one below the edge it starts under), on the pixel grid and never above its
// reference place; and no line runs into the figures on and above the planet.
class LineColumn {
 public:
  LineColumn(const Canvas& canvas, const HudScale& s, const std::optional<FrameLayout>& layout,
             float edge)
      : canvas_(canvas), s_(s), layout_(layout), above_bottom_(edge) {}

  // The baseline of the next line; `reference` is its place in the reference layout.
  float place(float reference, float font_size) {
    if (!layout_) return s_.y(reference);
    const TextMetrics m = canvas_.measure_text("", font_size);
    const float quarter = std::min(above_size_, font_size) / 4.0f;
    const float baseline = snap_up(std::max(s_.y(reference), above_bottom_ + quarter + m.offset_y));
    above_bottom_ = baseline - m.offset_y + m.height;
    above_size_ = font_size;
    return baseline;
  }

  // How wide a line starting at `x` may be with its baseline at `baseline`.
  float room(float x, float baseline, float font_size) const {
    if (!layout_) return std::numeric_limits<float>::infinity();
    const TextMetrics m = canvas_.measure_text("", font_size);
    const float top = baseline - m.offset_y;
    return free_right_edge(*layout_, top, top + m.height) - x;
  }

 private:
  float snap_up(float v) const {
    if (s_.pixel_size < 2) return v;
    const float p = static_cast<float>(s_.pixel_size);
    return std::ceil(v / p) * p;
  }

  const Canvas& canvas_;
  const HudScale& s_;
  const std::optional<FrameLayout>& layout_;
  float above_bottom_;
  // Under an edge only the line's own font counts.
  float above_size_ = std::numeric_limits<float>::infinity();
};

// `text` from x 34 down the column, continued on more lines wherever it would run into the scene;
// every piece of it is drawn as it is. Lines break at `join` (between the cards, between the
// stats); a piece too wide for a line of its own breaks at `inner_joins` and keeps its lines to
// itself, so the next piece starts a line rather than trailing the last line of a broken one.
void draw_flowing(Canvas& canvas, LineColumn& column, const HudScale& s, std::string_view text,
                  std::string_view join, std::initializer_list<std::string_view> inner_joins,
                  float reference, float size, Color colour) {
  const float x = s.x(34);
  std::string_view rest = text;
  std::string_view broken_piece;  // what is left of a piece being broken
  while (!rest.empty() || !broken_piece.empty()) {
    const float baseline = column.place(reference, size);
    const float room = column.room(x, baseline, size);
    reference = 0;  // a continued line just follows the one above
    if (broken_piece.empty()) {
      std::string_view after = rest;
      std::string line = join.empty() ? take_line(canvas, after, {}, size, room)
                                      : take_line(canvas, after, {join}, size, room);
      if (canvas.measure_text(line, size).width <= room || inner_joins.size() == 0) {
        canvas.text(line, {x, baseline}, size, colour);
        rest = after;
        continue;
      }
      broken_piece = rest.substr(0, line.size());
      rest = after;
    }
    canvas.text(take_line(canvas, broken_piece, inner_joins, size, room), {x, baseline}, size, colour);
  }
}

void draw_timer(Canvas& canvas, LineColumn& column, const HudScale& s, std::string_view name,
                float seconds, float reference, Color colour) {
  if (seconds <= 0) return;
  const std::string text = std::string(name) + " " + whole_text(seconds) + "s";
  draw_flowing(canvas, column, s, text, {}, {}, reference, s.font(16), colour);
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

float baseline_below(const Canvas& canvas, float above, float above_size, float size) {
  const TextMetrics upper = canvas.measure_text("", above_size);
  const TextMetrics lower = canvas.measure_text("", size);
  return above - upper.offset_y + upper.height + std::min(above_size, size) / 4.0f + lower.offset_y;
}

void draw_hud(const GameState& state, Canvas& canvas, const FrameGeometry& geometry,
              std::optional<PadLayout> pad) {
  const HudScale& s = geometry.hud;
  const std::optional<FrameLayout>& layout = geometry.layout;
  const ModifierStack& cards = state.modifier_stack;
  const float right = s.width - s.x(kRightMargin);
  const Rect panel{s.x(18), s.y(16), s.x(424), s.y(82)};

  canvas.rectangle(panel, kPanel);
  canvas.text(controls_hint(pad), {s.x(34), s.y(47)}, s.font(24), palette::kCream);
  draw_markers(state, canvas, s);
  LineColumn right_column(canvas, s, layout, 0);
  text_right(canvas, enemy_counter(state), right, right_column.place(43, s.font(26)), s.font(26),
             palette::kCream);
  text_right(canvas, stage_label(state.stage), right, right_column.place(74, s.font(26)),
             s.font(26), palette::kGold);
  LineColumn left_column(canvas, s, layout, panel.y + panel.h);
  if (!cards.picks.empty()) {
    draw_flowing(canvas, left_column, s, cards_line(cards), ", ", {}, 108, s.font(16), palette::kSoft);
    draw_flowing(canvas, left_column, s, stat_line(cards), " | ", {" = ", "\u00d7"}, 128,
                 s.font(15), palette::kDim);
  }
  draw_timer(canvas, left_column, s, "Shield", cards.shield_time, 148, kShield);
  draw_timer(canvas, left_column, s, "Sacrifice", seconds_left(cards, ModifierKind::Sacrifice), 168,
             kSacrifice);
  draw_timer(canvas, left_column, s, "Weaken", cards.fight.weaken_time, 188, kWeaken);
}

}  // namespace ventora
