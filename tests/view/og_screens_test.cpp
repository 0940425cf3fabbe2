// The OG look is settled: every screen's draw list is compared, command by command, with the one
// recorded in golden/og_screens.txt. HD changes must leave it alone. After a deliberate change
// to the OG look, rewrite the file with VENTORA_WRITE_GOLDEN=1 and review its diff.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cards/modifier_stack.h"
#include "game/run.h"
#include "random/rng.h"
#include "view/scene.h"
#include "tests/support/play_frame.h"

namespace ventora {
namespace {

const char* op_name(DrawOp op) {
  switch (op) {
    case DrawOp::Clear: return "clear";
    case DrawOp::Circle: return "circle";
    case DrawOp::CircleLines: return "circle_lines";
    case DrawOp::Triangle: return "triangle";
    case DrawOp::Line: return "line";
    case DrawOp::Rectangle: return "rectangle";
    case DrawOp::RectangleLines: return "rectangle_lines";
    case DrawOp::RectanglePro: return "rectangle_pro";
    case DrawOp::Text: return "text";
    case DrawOp::Planet: return "planet";
    case DrawOp::BeginTarget: return "begin_target";
    case DrawOp::EndTarget: return "end_target";
    case DrawOp::BlitTarget: return "blit_target";
  }
  return "?";
}

std::string number(float v) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.9g", v);  // round-trips a float
  return buffer;
}

std::string point(Vec2 v) { return "(" + number(v.x) + " " + number(v.y) + ")"; }

// The fields each command uses, floats to their last bit; colours in 8-bit steps.
std::string describe(const DrawCommand& c) {
  const Color& k = c.color;
  std::string line = std::string(op_name(c.op)) + " rgba(" + number(k.r * 255) + " " +
                     number(k.g * 255) + " " + number(k.b * 255) + " " + number(k.a * 255) + ")";
  const std::string rect = " rect(" + number(c.rect.x) + " " + number(c.rect.y) + " " +
                           number(c.rect.w) + " " + number(c.rect.h) + ")";
  switch (c.op) {
    case DrawOp::Clear:
    case DrawOp::EndTarget: break;
    case DrawOp::Circle: line += " at" + point(c.a) + " r" + number(c.radius); break;
    case DrawOp::CircleLines:
      line += " at" + point(c.a) + " r" + number(c.radius) + " t" + number(c.thickness);
      break;
    case DrawOp::Triangle: line += " " + point(c.a) + point(c.b) + point(c.c); break;
    case DrawOp::Line: line += " " + point(c.a) + point(c.b) + " t" + number(c.thickness); break;
    case DrawOp::Rectangle: line += rect; break;
    case DrawOp::RectangleLines: line += rect + " t" + number(c.thickness); break;
    case DrawOp::RectanglePro:
      line += rect + " pivot" + point(c.b) + " rot" + number(c.rotation);
      break;
    case DrawOp::Text:
      line += " at" + point(c.a) + " size" + number(c.font_size) + " \"" + c.text + "\"";
      break;
    case DrawOp::Planet: line += rect + " spin" + number(c.rotation); break;
    case DrawOp::BeginTarget:
    case DrawOp::BlitTarget:
      line += rect + " target" + std::to_string(c.target) + " " +
              std::to_string(c.target_width) + "x" + std::to_string(c.target_height);
      break;
  }
  return line;
}

RenderSettings og_settings() {
  RenderSettings settings;
  settings.mode = OutputMode::Og;
  settings.planet_pixels = 180;
  return settings;
}

// A stage-3 fight after three picks with every card timer running, the stat line at its longest.
GameState og_fight() {
  GameState state;
  state.render_settings = og_settings();
  state.stage = 3;
  state.planet = make_stage_planet(state.stage, state.render_settings);
  state.planet_turn = 0.7f;
  state.boss_angle = 4.1f;
  for (Card card : {Card::OverwhelmingOdds, Card::BounceHouse, Card::SpeedAndHeight}) {
    apply_pick(state.modifier_stack, card, state.player_hp);
  }
  state.modifier_stack.shield_time = 4.45f;
  // A Sacrifice timer runs on its own modifier.
  state.modifier_stack.modifiers.push_back(
      {Card::UltimateSacrifice, ModifierKind::Sacrifice, 5, 0, kWholeRun, 12.2f});
  state.modifier_stack.fight.weaken_time = 31.0f;
  return state;
}

struct Shot {
  std::string name;
  GameState state;
  Vec2 mouse{-1, -1};
};

std::vector<Shot> og_shots() {
  std::vector<Shot> shots;
  shots.push_back({"fight after picks", og_fight()});

  Shot choice{"card choice, box 2 hovered", og_fight(), {400, 300}};
  choice.state.screen = Screen::CardChoice;
  choice.state.offer = {OfferedCard{Rarity::Common, Card::LongLifeUnlikely},
                        OfferedCard{Rarity::Epic, Card::VampiresDen},
                        OfferedCard{Rarity::Rare, Card::TitForTat}};
  shots.push_back(choice);
  choice.name = "card choice, nothing hovered";
  choice.mouse = {-1, -1};
  shots.push_back(choice);

  for (std::uint64_t stage : {1, 6}) {
    Shot clear{"stage clear " + std::to_string(stage), og_fight()};
    clear.state.screen = Screen::StageClear;
    clear.state.stage = stage;
    shots.push_back(clear);
  }
  Shot countdown{"countdown", og_fight()};
  countdown.state.screen = Screen::Countdown;
  countdown.state.countdown = 2.0f;
  shots.push_back(countdown);

  // A second of confetti on the plain victory; one frame's on the bonus one.
  for (bool bonus : {false, true}) {
    Shot victory{bonus ? "victory with the bonus" : "victory", og_fight()};
    victory.state.screen = Screen::Victory;
    victory.state.bonus_topping = bonus;
    Pcg32 rng;
    rng.seed(0x5EED);
    FrameInput input;  // 960 × 720
    for (int frame = 0; frame < (bonus ? 1 : 60); ++frame) {
      input.time = frame / 60.0;
      play_frame(victory.state, rng, input, 1.0f / 60.0f);
    }
    shots.push_back(victory);
  }
  Shot defeat{"defeat", og_fight()};
  defeat.state.screen = Screen::Defeat;
  shots.push_back(defeat);
  return shots;
}

std::vector<std::string> record(Shot& shot) {
  DrawList list;
  Canvas canvas(list, 960, 720);
  canvas.set_time(0.5);
  canvas.set_mouse(shot.mouse);
  draw_scene(shot.state, canvas);
  std::vector<std::string> lines{"# " + shot.name};
  for (const DrawCommand& c : list.commands) lines.push_back(describe(c));
  return lines;
}

TEST(OgScreens, DrawExactlyAsRecorded) {
  const std::string path = std::string(VIEW_GOLDEN_DIR) + "/og_screens.txt";
  std::vector<std::string> now;
  for (Shot& shot : og_shots()) {
    for (std::string& line : record(shot)) now.push_back(std::move(line));
  }
  if (std::getenv("VENTORA_WRITE_GOLDEN") != nullptr) {
    std::ofstream out(path);
    for (const std::string& line : now) out << line << '\n';
    GTEST_SKIP() << "wrote " << path;
  }
  std::ifstream in(path);
  ASSERT_TRUE(in) << "cannot read " << path;
  std::vector<std::string> recorded;
  for (std::string line; std::getline(in, line);) recorded.push_back(line);

  std::string screen;
  for (size_t i = 0; i < std::min(now.size(), recorded.size()); ++i) {
    if (recorded[i].starts_with("# ")) screen = recorded[i];
    ASSERT_EQ(now[i], recorded[i]) << "first difference at line " << i + 1 << ", in " << screen;
  }
  EXPECT_EQ(now.size(), recorded.size());
}

}  // namespace
}  // namespace ventora
