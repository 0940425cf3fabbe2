// The HD modes measured on their draw lists: the HUD keeps out of the figures' way, confetti
// covers every mode alike, frames keep their weight and lines of text stay apart.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cards/modifier_stack.h"
#include "game/run.h"
#include "layout/frame_layout.h"
#include "random/rng.h"
#include "view/hud.h"
#include "view/scene.h"
#include "view/screens.h"
#include "tests/support/play_frame.h"

namespace ventora {
namespace {

// A mode with its window as the screen size.
struct Mode {
  std::string_view name;
  OutputMode mode;
  float width, height;
};

constexpr Mode screen_of(OutputMode mode) {
  const OutputModeInfo& info = mode_info(mode);
  return {info.word, mode, static_cast<float>(info.window.width),
          static_cast<float>(info.window.height)};
}

constexpr Mode kOg = screen_of(OutputMode::Og);
constexpr Mode kHdModes[] = {screen_of(OutputMode::Hd720), screen_of(OutputMode::Hd1080),
                             screen_of(OutputMode::Hd4k)};

RenderSettings settings_for(const Mode& mode) { return render_settings_for(mode.mode); }

struct Box {
  float left, top, right, bottom;
};

bool overlap(const Box& a, const Box& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

Box united(const Box& a, const Box& b) {
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
}

// A text's box: its measured width, from the font's ascent above the baseline to its descent
// below.
Box text_box(const DrawCommand& c) {
  const TextMetrics m = measure_text(c.text, c.font_size);
  return {c.a.x, c.a.y - m.offset_y, c.a.x + m.width, c.a.y - m.offset_y + m.height};
}

// What a figure's drawing command covers on the screen.
Box shape_box(const DrawCommand& c) {
  switch (c.op) {
    case DrawOp::Circle:
      return {c.a.x - c.radius, c.a.y - c.radius, c.a.x + c.radius, c.a.y + c.radius};
    case DrawOp::CircleLines: {
      const float r = c.radius + c.thickness / 2;
      return {c.a.x - r, c.a.y - r, c.a.x + r, c.a.y + r};
    }
    case DrawOp::Triangle:
      return {std::min({c.a.x, c.b.x, c.c.x}), std::min({c.a.y, c.b.y, c.c.y}),
              std::max({c.a.x, c.b.x, c.c.x}), std::max({c.a.y, c.b.y, c.c.y})};
    case DrawOp::Line: {
      const float t = c.thickness / 2;
      return {std::min(c.a.x, c.b.x) - t, std::min(c.a.y, c.b.y) - t, std::max(c.a.x, c.b.x) + t,
              std::max(c.a.y, c.b.y) + t};
    }
    case DrawOp::Text: return text_box(c);
    default: return {c.rect.x, c.rect.y, c.rect.x + c.rect.w, c.rect.y + c.rect.h};
  }
}

bool same_rgb(Color a, Color b) { return a.r == b.r && a.g == b.g && a.b == b.b; }

bool is_player_colour(Color c) {
  for (Color player : {Color::rgba8(0, 97, 177), Color::rgba8(0, 72, 138), Color::rgba8(230, 87, 75),
                       Color::rgba8(120, 200, 255), Color::rgba8(180, 230, 255)}) {
    if (same_rgb(c, player)) return true;
  }
  return false;
}

// A fight after the picks, with every card timer running (the HUD at its tallest), the shield's
// aura up (the player at its widest), pad 0's spike fully out and pad 1's wind-up ring at its
// largest, and the boss standing at screen angle `turn`.
GameState fight_after(const Mode& mode, const std::vector<Card>& picks, float turn) {
  GameState state;
  state.render_settings = settings_for(mode);
  state.planet = make_stage_planet(1, state.render_settings);
  for (Card card : picks) apply_pick(state.modifier_stack, card, state.player_hp);
  state.modifier_stack.shield_time = 7.5f;
  // A Sacrifice timer runs on its own modifier.
  state.modifier_stack.modifiers.push_back(
      {Card::UltimateSacrifice, ModifierKind::Sacrifice, 5, 0, kWholeRun, 19.5f});
  state.modifier_stack.fight.weaken_time = 49.5f;
  state.planet_turn = turn;
  state.boss_angle = 0;
  state.launch_pads[0].phase = LaunchPhase::Hold;
  state.launch_pads[1].phase = LaunchPhase::WindUp;
  state.launch_pads[1].phase_time = 0.34f;
  return state;
}

DrawList draw_frame(GameState& state, const Mode& mode, Vec2 mouse = {-1, -1}) {
  DrawList list;
  Canvas canvas(list, mode.width, mode.height);
  canvas.set_time(0.5);  // no blink, no white flash
  canvas.set_mouse(mouse);
  draw_scene(state, canvas);
  return list;
}

// Picks with the longest cards lines and stat lines a run of five picks can make.
const std::vector<std::vector<Card>> kPickSets = {
    {Card::Buff},
    {Card::OverwhelmingOdds},
    {Card::LongLifeUnlikely, Card::OverwhelmingOdds, Card::BrawnOverBrains,
     Card::UltimateSacrifice, Card::HeightAndSpeed},
    {Card::CrushingWeight, Card::BounceHouse, Card::OverwhelmingOdds, Card::Speedster,
     Card::SpeedAndHeight},
    {Card::OverwhelmingOdds, Card::OverwhelmingOdds, Card::OverwhelmingOdds,
     Card::OverwhelmingOdds, Card::OverwhelmingOdds},
};

// No HUD text crosses the player's column (it jumps, so the whole height above it), the planet,
// or anything standing on the planet as the boss walks round and the pads strike.
TEST(HdHud, TextsKeepClearOfThePlayerThePlanetAndTheBoss) {
  for (const Mode& mode : kHdModes) {
    for (const std::vector<Card>& picks : kPickSets) {
      for (int step = 0; step < 36; ++step) {
        const float turn = static_cast<float>(step) * kTau / 36;
        GameState state = fight_after(mode, picks, turn);
        const DrawList list = draw_frame(state, mode);
        const auto planet = std::find_if(list.commands.begin(), list.commands.end(),
                                         [](const DrawCommand& c) { return c.op == DrawOp::Planet; });
        ASSERT_NE(planet, list.commands.end());
        // The HUD starts with its panel, the first rectangle after the figures.
        const auto hud = std::find_if(planet, list.commands.end(), [](const DrawCommand& c) {
          return c.op == DrawOp::Rectangle;
        });
        std::optional<Box> player;
        std::vector<Box> figures;
        for (auto c = planet + 1; c != hud; ++c) {
          figures.push_back(shape_box(*c));
          if (is_player_colour(c->color)) {
            player = player ? united(*player, shape_box(*c)) : shape_box(*c);
          }
        }
        ASSERT_TRUE(player.has_value());
        const Box column{player->left, 0, player->right, player->bottom};
        const Vec2 centre{planet->rect.x + planet->rect.w / 2, planet->rect.y + planet->rect.h / 2};
        const float radius = planet->rect.w / 2;
        for (auto c = hud; c != list.commands.end(); ++c) {
          if (c->op != DrawOp::Text) continue;
          const Box text = text_box(*c);
          const std::string where = std::string(mode.name) + ", boss at step " +
                                    std::to_string(step) + ": \"" + c->text + "\"";
          ASSERT_FALSE(overlap(text, column)) << "crosses the player's column, " << where;
          for (const Box& figure : figures) {
            ASSERT_FALSE(overlap(text, figure)) << "crosses a figure, " << where;
          }
          const float nearest_x = std::clamp(centre.x, text.left, text.right);
          const float nearest_y = std::clamp(centre.y, text.top, text.bottom);
          ASSERT_GT(std::hypot(nearest_x - centre.x, nearest_y - centre.y), radius)
              << "crosses the planet, " << where;
        }
      }
    }
  }
}


GameState card_choice(const Mode& mode, const Offer& offer) {
  GameState state;
  state.render_settings = settings_for(mode);
  state.screen = Screen::CardChoice;
  state.offer = offer;
  return state;
}

const Offer kOffer = {OfferedCard{Rarity::Common, Card::LongLifeUnlikely},
                      OfferedCard{Rarity::Epic, Card::VampiresDen},
                      OfferedCard{Rarity::Rare, Card::TitForTat}};

// The card boxes' edges and hover frames are as heavy, for the width of the screen, as in OG
// (3, and 2 or 4 when hovered), in whole art pixels; a frame stays outside its box's edge.
TEST(HdCardChoice, FramesScaleWithTheWidthInWholeArtPixels) {
  for (const Mode& mode : kHdModes) {
    const float sx = mode.width / 960;
    const float pixel = static_cast<float>(pixel_size_for(mode.mode));
    GameState state = card_choice(mode, kOffer);
    const DrawList list = draw_frame(state, mode, {mode.width / 2, mode.height / 2});  // box 2
    std::vector<DrawCommand> outlines;
    for (const DrawCommand& c : list.commands) {
      if (c.op == DrawOp::RectangleLines) outlines.push_back(c);
    }
    ASSERT_EQ(outlines.size(), 6u) << mode.name;
    for (int box = 0; box < 3; ++box) {
      const DrawCommand& edge = outlines[static_cast<size_t>(2 * box)];
      const DrawCommand& frame = outlines[static_cast<size_t>(2 * box + 1)];
      const float frame_weight = box == 1 ? 4.0f : 2.0f;
      const std::string where = std::string(mode.name) + ", box " + std::to_string(box + 1);
      for (const auto& [line, weight] : {std::pair{edge, 3.0f}, std::pair{frame, frame_weight}}) {
        EXPECT_EQ(std::fmod(line.thickness, pixel), 0.0f) << where;
        EXPECT_NEAR(line.thickness, weight * sx, pixel / 2) << where;
      }
      EXPECT_LE(frame.rect.x + frame.thickness, edge.rect.x) << where;
      EXPECT_LE(frame.rect.y + frame.thickness, edge.rect.y) << where;
      EXPECT_GE(frame.rect.x + frame.rect.w - frame.thickness, edge.rect.x + edge.rect.w) << where;
    }
  }
}

// One layer's drawing: the HUD's or the overlay's, each on its own.
DrawList draw_layer(const GameState& state, const Mode& mode, bool hud) {
  DrawList list;
  Canvas canvas(list, mode.width, mode.height);
  canvas.set_mouse({mode.width / 2, mode.height / 2});
  if (hud) {
    draw_hud(state, canvas, frame_geometry(mode.mode, mode.width, mode.height));
  } else {
    draw_overlay(state, canvas, frame_geometry(mode.mode, mode.width, mode.height));
  }
  return list;
}

// Within one layer, two texts that share any column are at least a quarter of the smaller font
// apart, and no text straddles the edge of a panel, box or frame (the HUD's panel, outlines).
void expect_lines_apart(const DrawList& list, const std::string& where) {
  std::vector<const DrawCommand*> texts;
  std::vector<Rect> panels;
  for (const DrawCommand& c : list.commands) {
    if (c.op == DrawOp::Text) texts.push_back(&c);
    if (c.op == DrawOp::RectangleLines) panels.push_back(c.rect);
  }
  if (!list.commands.empty() && list.commands[0].op == DrawOp::Rectangle) {
    panels.push_back(list.commands[0].rect);  // the HUD's panel
  }
  for (size_t i = 0; i < texts.size(); ++i) {
    const Box a = text_box(*texts[i]);
    for (size_t j = i + 1; j < texts.size(); ++j) {
      const Box b = text_box(*texts[j]);
      if (a.right <= b.left || b.right <= a.left) continue;
      const float gap = std::max(a.top, b.top) - std::min(a.bottom, b.bottom);
      const float quarter = std::min(texts[i]->font_size, texts[j]->font_size) / 4;
      EXPECT_GE(gap, quarter - 1e-3f) << where << ": \"" << texts[i]->text << "\" and \""
                                      << texts[j]->text << "\"";
    }
    for (const Rect& panel : panels) {
      const Box p{panel.x, panel.y, panel.x + panel.w, panel.y + panel.h};
      const bool inside = a.left >= p.left && a.right <= p.right && a.top >= p.top &&
                          a.bottom <= p.bottom;
      EXPECT_TRUE(inside || !overlap(a, p))
          << where << ": \"" << texts[i]->text << "\" straddles the edge of " << p.left << ","
          << p.top << " " << panel.w << "x" << panel.h;
    }
  }
}

TEST(HdLines, StayAQuarterOfTheirFontApartInTheHudAndEveryPanel) {
  for (const Mode& mode : kHdModes) {
    for (const std::vector<Card>& picks : kPickSets) {
      GameState state = fight_after(mode, picks, 0);
      expect_lines_apart(draw_layer(state, mode, true), std::string(mode.name) + " HUD");
    }
    GameState bonus = fight_after(mode, {}, 0);
    bonus.stage = 6;
    bonus.modifier_stack.fight.clone_active = true;
    expect_lines_apart(draw_layer(bonus, mode, true), std::string(mode.name) + " HUD, bonus stage");

    for (std::uint64_t stage : {1, 6}) {
      GameState clear = fight_after(mode, {}, 0);
      clear.screen = Screen::StageClear;
      clear.stage = stage;
      expect_lines_apart(draw_layer(clear, mode, false), std::string(mode.name) + " stage clear");
    }
    for (int first = 0; first < kCardCount; ++first) {
      Offer offer;
      for (size_t i = 0; i < 3; ++i) {
        offer[i] = {static_cast<Rarity>(i), static_cast<Card>((first + static_cast<int>(i) * 8) %
                                                              kCardCount)};
      }
      expect_lines_apart(draw_layer(card_choice(mode, offer), mode, false),
                         std::string(mode.name) + " card choice " + std::to_string(first));
    }
    for (Screen screen : {Screen::Victory, Screen::Defeat, Screen::Countdown}) {
      for (bool long_line : {false, true}) {
        GameState end = fight_after(mode, {}, 0);
        end.screen = screen;
        end.bonus_topping = long_line;
        end.countdown = 3;
        expect_lines_apart(draw_layer(end, mode, false),
                           std::string(mode.name) + " end screen " +
                               std::to_string(static_cast<int>(screen)));
      }
    }
  }
}

std::string without_spaces(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c != ' ') out += c;
  }
  return out;
}

// Broken or not, the HUD's lines put back together are the cards line, the stat line and the
// timers, every name and number as it was.
TEST(HdHud, BrokenLinesKeepEveryPieceOfText) {
  for (const Mode& mode : kHdModes) {
    for (const std::vector<Card>& picks : kPickSets) {
      const GameState state = fight_after(mode, picks, 0);
      const DrawList list = draw_layer(state, mode, true);
      std::string drawn;
      bool below_panel = false;
      for (const DrawCommand& c : list.commands) {
        below_panel = below_panel || (c.op == DrawOp::Text && c.text.starts_with("Cards: "));
        if (below_panel && c.op == DrawOp::Text) drawn += c.text;
      }
      std::string names;
      for (Card card : picks) names += std::string(names.empty() ? "" : ", ") + std::string(card_name(card));
      const std::string whole = "Cards: " + names + stat_line(state.modifier_stack) +
                                "Shield 8s" + "Sacrifice 20s" + "Weaken 50s";
      EXPECT_EQ(without_spaces(drawn), without_spaces(whole)) << mode.name;
    }
  }
}

// A stat too wide for a line is broken inside and keeps its lines to itself: the next stat starts
// a line of its own instead of trailing the broken one's last piece.
TEST(HdHud, ABrokenStatEndsItsLastLine) {
  for (const Mode& mode : kHdModes) {
    for (const std::vector<Card>& picks : kPickSets) {
      const GameState state = fight_after(mode, picks, 0);
      const DrawList list = draw_layer(state, mode, true);
      std::vector<std::string> stat_lines;
      bool in_stats = false;
      for (const DrawCommand& c : list.commands) {
        if (c.op != DrawOp::Text) continue;
        if (c.text.starts_with("run ")) in_stats = true;
        if (c.text.starts_with("Shield ") || c.text.starts_with("Sacrifice ") || c.text.starts_with("Weaken ")) {
          in_stats = false;
        }
        if (in_stats) stat_lines.push_back(c.text);
      }
      ASSERT_FALSE(stat_lines.empty()) << mode.name;
      bool inside_a_stat = false;  // the line above was broken inside a stat
      for (const std::string& line : stat_lines) {
        if (inside_a_stat) {
          // A continuation holds the rest of one stat only.
          const size_t join = line.find(" |");
          EXPECT_TRUE(join == std::string::npos || join + 2 == line.size()) << mode.name << ": " << line;
        }
        inside_a_stat = line.ends_with(" =") || line.ends_with("\u00d7");
      }
    }
  }
}

// The share of the screen the confetti covers, overall and in each fifth of its height, sampled
// on a grid of 240 points across.
struct Cover {
  float whole = 0;
  std::array<float, 5> fifths{};
};

bool inside_piece(const DrawCommand& piece, float x, float y) {
  const float a = -piece.rotation * kPi / 180;
  const float dx = x - piece.rect.x, dy = y - piece.rect.y;
  const float lx = dx * std::cos(a) - dy * std::sin(a) + piece.b.x;
  const float ly = dx * std::sin(a) + dy * std::cos(a) + piece.b.y;
  return lx >= 0 && lx <= piece.rect.w && ly >= 0 && ly <= piece.rect.h;
}

Cover confetti_cover(const DrawList& list, const Mode& mode) {
  const float step = mode.width / 240;
  const int columns = 240;
  const int rows = static_cast<int>(mode.height / step);
  std::vector<bool> covered(static_cast<size_t>(columns * rows), false);
  for (const DrawCommand& piece : list.commands) {
    if (piece.op != DrawOp::RectanglePro) continue;
    const float reach = piece.rect.w + piece.rect.h;
    const int x0 = std::max(0, static_cast<int>((piece.rect.x - reach) / step));
    const int x1 = std::min(columns - 1, static_cast<int>((piece.rect.x + reach) / step));
    const int y0 = std::max(0, static_cast<int>((piece.rect.y - reach) / step));
    const int y1 = std::min(rows - 1, static_cast<int>((piece.rect.y + reach) / step));
    for (int j = y0; j <= y1; ++j) {
      for (int i = x0; i <= x1; ++i) {
        if (inside_piece(piece, (static_cast<float>(i) + 0.5f) * step,
                         (static_cast<float>(j) + 0.5f) * step)) {
          covered[static_cast<size_t>(j * columns + i)] = true;
        }
      }
    }
  }
  Cover cover;
  std::array<int, 5> band_points{};
  int total = 0;
  for (int j = 0; j < rows; ++j) {
    const size_t band = static_cast<size_t>(j * 5 / rows);
    for (int i = 0; i < columns; ++i) {
      const bool hit = covered[static_cast<size_t>(j * columns + i)];
      total += hit;
      cover.fifths[band] += hit;
    }
    band_points[band] += columns;
  }
  cover.whole = static_cast<float>(total) / static_cast<float>(rows * columns);
  for (size_t b = 0; b < 5; ++b) cover.fifths[b] /= static_cast<float>(band_points[b]);
  return cover;
}

// Five seconds of victory at 60 frames a second, as the game updates and draws it.
Cover victory_cover(const Mode& mode) {
  GameState state;
  state.render_settings = settings_for(mode);
  state.screen = Screen::Victory;
  Pcg32 rng;
  rng.seed(0xC0FFEE);
  FrameInput input;
  input.screen_width = mode.width;
  input.screen_height = mode.height;
  for (int frame = 0; frame < 300; ++frame) {
    input.time = frame / 60.0;
    play_frame(state, rng, input, 1.0f / 60.0f);
  }
  const DrawList list = draw_frame(state, mode);
  return confetti_cover(list, mode);
}

// Confetti covers each mode's screen as it covers OG's: the same share overall and in every
// fifth of the height, top to bottom.
TEST(HdVictory, ConfettiCoversTheScreenAsInOg) {
  const Cover og = victory_cover(kOg);
  ASSERT_GT(og.whole, 0.01f);
  for (const Mode& mode : kHdModes) {
    const Cover hd = victory_cover(mode);
    EXPECT_NEAR(hd.whole / og.whole, 1.0f, 0.25f)
        << mode.name << " covers " << hd.whole << " of its screen, OG " << og.whole;
    for (size_t b = 0; b < 5; ++b) {
      EXPECT_NEAR(hd.fifths[b] / og.fifths[b], 1.0f, 0.35f)
          << mode.name << ", fifth " << b + 1 << ": " << hd.fifths[b] << ", OG " << og.fifths[b];
    }
  }
}

}  // namespace
}  // namespace ventora
