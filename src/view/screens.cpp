#include "view/screens.h"

#include <algorithm>
#include <numbers>
#include <string>
#include <vector>

#include "game/countdown.h"
#include "game/run.h"
#include "layout/overlay_geometry.h"
#include "view/control_hints.h"
#include "view/hud.h"
#include "view/palette.h"

namespace ventora {

namespace {

using palette::kCream;
using palette::kDim;
using palette::kGold;
using palette::kSoft;
constexpr Color kBox = Color::rgba8(29, 35, 55);
constexpr Color kHoverVeil = Color::rgba8(245, 222, 128, 35);
constexpr Color kShade = Color::rgba8(0, 0, 0, 135);
constexpr Color kClearPanel = Color::rgba8(12, 15, 27, 245);
constexpr Color kButton = Color::rgba8(92, 151, 103);
constexpr Color kButtonEdge = Color::rgba8(175, 216, 142);
constexpr Color kEndPanel = Color::rgba8(11, 13, 22, 220);

// The victory line after the bonus stage; its prompt follows with a full stop.
constexpr std::string_view kLongVictoryStart =
    "Thule cheese through Hyperboran Jalapenos \u2014 and Red Pepper from Cantaloupe Island. ";

constexpr float kCardGap = 30;     // between two card boxes, before scaling
constexpr float kWrapMargin = 24;  // draw_wrapped keeps lines this much narrower than its box
constexpr float kSmallestFitScale = 0.7f;

// The largest font size up to `size`, in steps of the art pixel and not below 70 % of `size`,
// at which `text` fits `width`.
float fitted_font_size(const Canvas& canvas, const HudScale& s, std::string_view text, float size,
                       float width) {
  const float step = static_cast<float>(s.pixel_size > 1 ? s.pixel_size : 1);
  float fitted = size;
  while (fitted - step >= size * kSmallestFitScale &&
         canvas.measure_text(text, fitted).width > width) {
    fitted -= step;
  }
  return fitted;
}

// Offsets inside a card box follow the box's width and sit on the pixel grid.
float box_offset(const HudScale& s, float v) { return s.snap(v * s.sx); }

Rect grown(const Rect& r, float by) { return {r.x - by, r.y - by, r.w + 2 * by, r.h + 2 * by}; }

void draw_card_box(Canvas& canvas, const HudScale& s, int index, const OfferedCard& offered) {
  const Rect b = card_box(s, index);
  const Color edge = rarity_color(offered.rarity);
  const std::string_view name = card_name(offered.card);
  const std::string_view description = card_description(offered.card);
  const float centre = b.x + b.w / 2.0f;
  const std::string number = std::to_string(index + 1);

  // Edges and frames are as heavy for the screen's width as in OG, in whole art pixels.
  canvas.rectangle(b, kBox);
  canvas.rectangle_lines(b, s.x(3), edge);
  text_centred(canvas, number, centre, b.y + box_offset(s, 46), s.font(56), kGold);
  text_centred(canvas, rarity_name(offered.rarity), centre, b.y + box_offset(s, 82), s.font(15), edge);
  draw_wrapped(canvas, name, b.x, b.w, b.y + box_offset(s, 112), s.font(20), kCream, 2);
  draw_wrapped(canvas, description, b.x, b.w, b.y + box_offset(s, 170), s.font(13), kSoft, 3);
  const bool hovered = rect_contains(b, canvas.mouse());
  canvas.rectangle_lines(grown(b, s.x(4)), s.x(hovered ? 4 : 2), edge);
  if (hovered) canvas.rectangle(grown(b, s.x(6)), kHoverVeil);
  const std::string caption =
      number + "  [" + std::string(rarity_name(offered.rarity)) + "]  " + std::string(name);
  // The caption and the description repeat the card under its box. Each stays inside the box's
  // slot (its width plus the gap), so long texts never run into the neighbouring card's. Their
  // offsets follow the fonts (the width), so they clear the frame and each other in HD too.
  const float slot_width = b.w + kCardGap * s.sx;
  const float bottom = b.y + b.h;
  text_centred(canvas, caption, centre, bottom + box_offset(s, 18),
               fitted_font_size(canvas, s, caption, s.font(16), slot_width), edge);
  draw_wrapped(canvas, description, centre - slot_width / 2.0f, slot_width + kWrapMargin,
               bottom + box_offset(s, 36), s.font(13), kDim, 2);
}

void draw_card_choice(const GameState& state, Canvas& canvas, const HudScale& s,
                      std::optional<PadLayout> pad) {
  canvas.clear(palette::kNight);
  const float title = 96.0f * s.sy;
  text_centred(canvas, "Choose a card", s.width / 2.0f, title, s.font(44), kGold);
  text_centred(canvas, card_prompt(pad), s.width / 2.0f,
               std::max(132.0f * s.sy, baseline_below(canvas, title, s.font(44), s.font(20))),
               s.font(20), kSoft);
  for (int i = 0; i < 3; ++i) draw_card_box(canvas, s, i, state.offer[static_cast<size_t>(i)]);
}

void draw_countdown(const GameState& state, Canvas& canvas, const HudScale& s) {
  canvas.clear(palette::kNight);
  text_centred(canvas, countdown_text(state.countdown), s.width / 2.0f,
               s.height / 2.0f + 30.0f * s.sy, s.font(112), kGold);
}

void draw_stage_clear(const GameState& state, Canvas& canvas, const HudScale& s,
                      std::optional<PadLayout> pad) {
  const float mid_x = s.width / 2.0f;
  const float mid_y = s.height / 2.0f;
  canvas.rectangle({0, 0, s.width, s.height}, kShade);
  const Rect panel{mid_x - 280.0f * s.sx, mid_y - 150.0f * s.sy, 560.0f * s.sx, 300.0f * s.sy};
  canvas.rectangle(panel, kClearPanel);
  canvas.rectangle_lines(panel, 4.0f * s.sx, kGold);
  // The longest title just fits the panel; where the font snaps up it steps down to fit. Each
  // line keeps a quarter of the smaller font clear of the one above (in HD their places by the
  // height factor alone can be closer).
  const std::string title = state.stage == kBonusStage
                                ? std::string("Cantaloupe Island Complete")
                                : "Stage " + std::to_string(state.stage) + " Complete";
  const float title_size = fitted_font_size(canvas, s, title, s.font(46), panel.w);
  const float title_at = mid_y - 80.0f * s.sy;
  text_centred(canvas, title, mid_x, title_at, title_size, kGold);
  const std::string collected =
      std::string("You have collected the ") + stage_info(state.stage).topping + ".";
  const float collected_at =
      std::max(mid_y - 28.0f * s.sy, baseline_below(canvas, title_at, title_size, s.font(28)));
  text_centred(canvas, collected, mid_x, collected_at, s.font(28), kCream);
  text_centred(canvas, continue_prompt(pad), mid_x,
               std::max(mid_y + 16.0f * s.sy,
                        baseline_below(canvas, collected_at, s.font(28), s.font(24))),
               s.font(24), kSoft);
  const Rect button = continue_button(s);
  canvas.rectangle(button, kButton);
  canvas.rectangle_lines(button, 3.0f * s.sx, kButtonEdge);
  text_centred(canvas, "Continue", mid_x, button.y + 35.0f * s.sy, s.font(26), kWhite);
}

// The end panel grows to hold its texts: a title wider than the usual panel widens it, and the
// long victory line wraps onto more lines instead of running off the screen. Short texts keep
// the usual 440 × 150 panel.
void draw_end_panel(Canvas& canvas, const HudScale& s, std::string_view title,
                    std::string_view message) {
  const float mid_x = s.width / 2.0f;
  const float mid_y = s.height / 2.0f;
  const float margin = 24.0f * s.sx;
  const float title_size = s.font(54);
  const float message_size = s.font(28);
  const float widest_panel = s.width - 2.0f * margin;
  const std::vector<std::string> lines =
      wrap_lines(canvas, message, message_size, widest_panel - 2.0f * margin);
  float widest_text = canvas.measure_text(title, title_size).width;
  for (const std::string& line : lines) {
    widest_text = std::max(widest_text, canvas.measure_text(line, message_size).width);
  }
  const float width = std::min(widest_panel, std::max(440.0f * s.sx, widest_text + 2.0f * margin));
  // The message keeps a quarter of its font clear of the title (in HD its place by the height
  // factor alone can be closer); the panel grows by what that pushes it down.
  const float message_place = mid_y + 31.0f * s.sy;
  const float message_first = std::max(
      message_place, baseline_below(canvas, mid_y - 18.0f * s.sy, title_size, message_size));
  const float extra_height =
      (message_first - message_place) +
      static_cast<float>(lines.empty() ? 0 : lines.size() - 1) * message_size * 1.25f;
  const float lift = extra_height / 2.0f;  // keeps a taller panel centred
  const Rect panel{mid_x - width / 2.0f, mid_y - 86.0f * s.sy - lift, width,
                   150.0f * s.sy + extra_height};
  canvas.rectangle(panel, kEndPanel);
  canvas.rectangle_lines(panel, 4.0f * s.sx, kGold);
  text_centred(canvas, title, mid_x, mid_y - 18.0f * s.sy - lift, title_size, kGold);
  for (size_t k = 0; k < lines.size(); ++k) {
    text_centred(canvas, lines[k], mid_x,
                 message_first - lift + static_cast<float>(k) * message_size * 1.25f,
                 message_size, kCream);
  }
}

void draw_victory(const GameState& state, Canvas& canvas, const HudScale& s, float unit,
                  std::optional<PadLayout> pad) {
  constexpr float kDegreesPerRadian = 180.0f / std::numbers::pi_v<float>;
  // Each piece turns about its own top-left corner by its sway rate, read as radians. The pieces
  // live in scene units, so they cover every output mode's screen alike.
  for (const ConfettiPiece& piece : state.confetti) {
    canvas.rectangle_pro({piece.x * unit, piece.y * unit, piece.size * unit,
                          piece.size * 0.55f * unit},
                         {0, 0}, piece.sway_rate * kDegreesPerRadian, piece.colour);
  }
  draw_end_panel(canvas, s, "All toppings collected",
                 state.bonus_topping ? std::string(kLongVictoryStart) + play_again_prompt(pad) + "."
                                     : play_again_prompt(pad));
}

std::vector<std::string> split_words(std::string_view text) {
  std::vector<std::string> words;
  std::string word;
  for (char c : text) {
    if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v') {
      if (!word.empty()) words.push_back(std::move(word));
      word.clear();
    } else {
      word += c;
    }
  }
  if (!word.empty()) words.push_back(std::move(word));
  return words;
}

}  // namespace

std::vector<std::string> wrap_lines(const Canvas& canvas, std::string_view text, float font_size,
                                    float limit) {
  std::vector<std::string> lines;
  std::string line;
  for (const std::string& word : split_words(text)) {
    std::string candidate = line.empty() ? word : line + " " + word;
    if (canvas.measure_text(candidate, font_size).width <= limit) {
      line = std::move(candidate);
    } else {
      if (!line.empty()) lines.push_back(std::move(line));
      line = word;
    }
  }
  if (!line.empty()) lines.push_back(std::move(line));
  return lines;
}

void draw_wrapped(Canvas& canvas, std::string_view text, float box_x, float box_width,
                  float first_baseline, float font_size, Color colour, int line_limit) {
  const std::vector<std::string> lines = wrap_lines(canvas, text, font_size, box_width - 24.0f);
  const float centre = box_x + box_width / 2.0f;
  for (size_t k = 0; k < lines.size() && static_cast<int>(k) < line_limit; ++k) {
    text_centred(canvas, lines[k], centre, first_baseline + static_cast<float>(k) * font_size * 1.25f,
                 font_size, colour);
  }
}

std::string_view countdown_text(float countdown) {
  switch (countdown_number(countdown)) {
    case 3: return "3";
    case 2: return "2";
    case 1: return "1";
    default: return "GO!";
  }
}

void draw_overlay(const GameState& state, Canvas& canvas, const FrameGeometry& geometry,
                  std::optional<PadLayout> pad) {
  const HudScale& s = geometry.hud;
  switch (state.screen) {
    case Screen::Fight: break;
    case Screen::StageClear: draw_stage_clear(state, canvas, s, pad); break;
    case Screen::CardChoice: draw_card_choice(state, canvas, s, pad); break;
    case Screen::Countdown: draw_countdown(state, canvas, s); break;
    case Screen::Victory: draw_victory(state, canvas, s, scene_unit(geometry.layout), pad); break;
    case Screen::Defeat: draw_end_panel(canvas, s, "Knocked loose", retry_prompt(pad)); break;
  }
}

}  // namespace ventora
