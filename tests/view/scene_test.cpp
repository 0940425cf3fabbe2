// The scene through its draw list: backdrop, planet, pads, player, boss and clones in OG and HD.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "view/scene.h"

namespace ventora {
namespace {

constexpr double kCalmTime = 0.5;  // a moment without the player's white flash

RenderSettings og_settings() {
  RenderSettings settings;
  settings.mode = OutputMode::Og;
  return settings;
}

RenderSettings hd_settings(OutputMode mode) {
  RenderSettings settings;
  settings.mode = mode;
  return settings;
}

GameState scene_state(RenderSettings settings) {
  GameState state;
  state.backdrop_stars = make_backdrop_stars();
  state.planet = planet::Planet{};
  state.render_settings = settings;
  return state;
}

DrawList draw(GameState& state, float w, float h, double time = kCalmTime) {
  DrawList list;
  Canvas canvas(list, w, h);
  canvas.set_time(time);
  draw_scene(state, canvas);
  return list;
}

// The commands the sprites drew: everything between the planet and the HUD.
std::vector<DrawCommand> sprites(const DrawList& list, size_t count) {
  const auto planet = std::find_if(list.commands.begin(), list.commands.end(),
                                   [](const DrawCommand& c) { return c.op == DrawOp::Planet; });
  EXPECT_NE(planet, list.commands.end());
  EXPECT_GE(static_cast<size_t>(list.commands.end() - planet), count + 1);
  return {planet + 1, planet + 1 + static_cast<std::ptrdiff_t>(count)};
}

// Pads idle (label and two discs each), player (six shapes), boss (seven shapes and its pips).
constexpr size_t kIdlePads = 6;
constexpr size_t kPlayer = 6;
constexpr size_t kBoss = 7;

std::vector<DrawCommand> with_colour(const std::vector<DrawCommand>& commands, Color colour,
                                     DrawOp op = DrawOp::Circle) {
  std::vector<DrawCommand> out;
  for (const DrawCommand& c : commands) {
    if (c.op == op && c.color == colour) out.push_back(c);
  }
  return out;
}

void expect_colour_near(Color actual, Color expected) {
  EXPECT_NEAR(actual.r, expected.r, 1e-5f);
  EXPECT_NEAR(actual.g, expected.g, 1e-5f);
  EXPECT_NEAR(actual.b, expected.b, 1e-5f);
  EXPECT_NEAR(actual.a, expected.a, 1e-5f);
}

const Color kPlayerMain = Color::rgba8(0, 97, 177);
const Color kPip = Color::rgba8(225, 70, 80);

TEST(SceneOg, GeometryAtNineSixtyBySevenTwenty) {
  GameState state = scene_state(og_settings());
  state.planet_turn = 0.5f;
  const DrawList list = draw(state, 960, 720);
  const auto& cmds = list.commands;

  ASSERT_EQ(cmds[0].op, DrawOp::Clear);
  EXPECT_EQ(cmds[0].color, Color::rgba8(8, 11, 24));
  const float ring_radii[] = {250, 340, 430, 520};
  for (int i = 0; i < 4; ++i) {
    const DrawCommand& ring = cmds[1 + i];
    ASSERT_EQ(ring.op, DrawOp::CircleLines);
    EXPECT_NEAR(ring.a.x, 480, 1e-4f);
    EXPECT_NEAR(ring.a.y, 388.8f, 1e-4f);
    EXPECT_EQ(ring.radius, ring_radii[i]);
    EXPECT_EQ(ring.thickness, 2.0f);
  }
  // The stars turn with the planet and never shrink below a pixel.
  const DrawCommand& star = cmds[5 + 3];
  const BackdropStar& s3 = state.backdrop_stars[3];
  EXPECT_NEAR(star.a.x, 480 + s3.radius * std::cos(s3.angle + 0.5f), 1e-3f);
  EXPECT_NEAR(star.a.y, 388.8f + s3.radius * std::sin(s3.angle + 0.5f), 1e-3f);
  EXPECT_EQ(star.radius, std::max(s3.size, 1.0f));
  EXPECT_EQ(star.color, (Color{s3.brightness, s3.brightness, 0.84f, 1}));

  const DrawCommand& planet = cmds[5 + 90];
  ASSERT_EQ(planet.op, DrawOp::Planet);
  EXPECT_EQ(planet.planet, &*state.planet);
  EXPECT_NEAR(planet.rect.x, 315, 1e-4f);
  EXPECT_NEAR(planet.rect.y, 223.8f, 1e-4f);
  EXPECT_EQ(planet.rect.w, 330);
  EXPECT_EQ(planet.rect.h, 330);
  EXPECT_EQ(planet.rotation, -0.5f);
  EXPECT_TRUE(std::none_of(cmds.begin(), cmds.end(),
                           [](const DrawCommand& c) { return c.op == DrawOp::BeginTarget; }));

  const auto body = with_colour(sprites(list, kIdlePads + kPlayer + kBoss + 3), kPlayerMain);
  ASSERT_EQ(body.size(), 1u);
  EXPECT_NEAR(body[0].a.x, 480, 1e-4f);
  EXPECT_NEAR(body[0].a.y, 199.8f, 1e-4f);
  EXPECT_EQ(body[0].radius, 18);
}

TEST(SceneOg, PlayerHeightLiftsTheFigureUnscaled) {
  GameState state = scene_state(og_settings());
  state.player_height = 40;
  const auto body = with_colour(sprites(draw(state, 960, 720), kIdlePads + kPlayer), kPlayerMain);
  ASSERT_EQ(body.size(), 1u);
  EXPECT_NEAR(body[0].a.y, 159.8f, 1e-4f);
}

// Every coordinate and size a sprite command carries.
std::vector<float> numbers_of(const DrawCommand& c) {
  switch (c.op) {
    case DrawOp::Circle: return {c.a.x, c.a.y, c.radius};
    case DrawOp::CircleLines: return {c.a.x, c.a.y, c.radius, c.thickness};
    case DrawOp::Triangle: return {c.a.x, c.a.y, c.b.x, c.b.y, c.c.x, c.c.y};
    case DrawOp::Line: return {c.a.x, c.a.y, c.b.x, c.b.y, c.thickness};
    case DrawOp::Text: return {c.a.x, c.a.y, c.font_size};
    default: ADD_FAILURE() << "unexpected sprite op " << static_cast<int>(c.op); return {};
  }
}

TEST(SceneHd, SevenTwentyPSnapsEverySpriteToEvenPixels) {
  GameState state = scene_state(hd_settings(OutputMode::Hd720));
  state.planet_turn = 0.37f;
  state.boss_angle = 1.1f;
  state.player_height = 13.3f;
  state.modifier_stack.shield_time = 2;
  state.launch_pads[0] = LaunchPad{0, 0.1f, LaunchPhase::WindUp};
  state.launch_pads[1] = LaunchPad{kPi, 0.07f, LaunchPhase::Strike};
  state.modifier_stack.fight.clone_active = true;
  state.clones = {BossClone{2.3f, 0, true}, BossClone{4.0f, 0, true}};
  const DrawList list = draw(state, 1280, 720, 3.77);
  const auto& cmds = list.commands;

  ASSERT_EQ(cmds[0].op, DrawOp::BeginTarget);
  EXPECT_EQ(cmds[0].target_width, 640u);
  EXPECT_EQ(cmds[0].target_height, 360u);
  EXPECT_EQ(cmds[1].op, DrawOp::Clear);
  EXPECT_NEAR(cmds[2].a.x, 320, 1e-4f);
  EXPECT_NEAR(cmds[2].a.y, 194.4f, 1e-4f);
  EXPECT_FLOAT_EQ(cmds[2].radius, 250 * 2.0f / 3);
  EXPECT_EQ(cmds[2].thickness, 2.0f);
  ASSERT_EQ(cmds[96].op, DrawOp::EndTarget);
  ASSERT_EQ(cmds[97].op, DrawOp::BlitTarget);
  EXPECT_EQ(cmds[97].target, cmds[0].target);
  EXPECT_EQ(cmds[97].rect, (Rect{0, 0, 1280, 720}));
  EXPECT_EQ(cmds[97].color, kWhite);
  ASSERT_EQ(cmds[98].op, DrawOp::Planet);
  EXPECT_NEAR(cmds[98].rect.x, 420, 1e-3f);
  EXPECT_NEAR(cmds[98].rect.y, 168.8f, 1e-3f);
  EXPECT_NEAR(cmds[98].rect.w, 440, 1e-3f);

  // Pads: wind-up ring, spike (two lines and a knob); shield aura; boss with one pip; clones.
  const size_t count = kIdlePads + 1 + 3 + 2 + kPlayer + 3 * (kBoss + 1);
  const std::vector<DrawCommand> drawn = sprites(list, count);
  for (size_t i = 0; i < drawn.size(); ++i) {
    for (float v : numbers_of(drawn[i])) {
      EXPECT_EQ(std::fmod(v, 2.0f), 0.0f) << "command " << i << " value " << v;
    }
  }
  const auto body = with_colour(drawn, kPlayerMain);
  ASSERT_EQ(body.size(), 1u);
  // Anchor 388.8 - (220 + 28 · 4/3 + 13.3) snaps to 118, the body 4/3 · 4 lower to 124.
  EXPECT_EQ(body[0].a, (Vec2{640, 124}));
  EXPECT_EQ(body[0].radius, 24);
}

TEST(SceneHd, BackdropTargetAndBlockSizeByMode) {
  struct Case {
    OutputMode mode;
    float w, h;
    std::uint32_t tw, th;
    float block;  // screen pixels per backdrop texel
  };
  for (const Case& c : {Case{OutputMode::Hd720, 1280, 720, 640, 360, 2},
                        Case{OutputMode::Hd1080, 1920, 1080, 480, 270, 4},
                        Case{OutputMode::Hd4k, 3840, 2160, 480, 270, 8}}) {
    SCOPED_TRACE(mode_word(c.mode));
    GameState state = scene_state(hd_settings(c.mode));
    const DrawList list = draw(state, c.w, c.h);
    const auto& cmds = list.commands;
    ASSERT_EQ(cmds[0].op, DrawOp::BeginTarget);
    EXPECT_EQ(cmds[0].target_width, c.tw);
    EXPECT_EQ(cmds[0].target_height, c.th);
    EXPECT_NEAR(cmds[2].a.x, 0.5f * c.tw, 1e-4f);
    EXPECT_NEAR(cmds[2].a.y, 0.54f * c.th, 1e-4f);
    EXPECT_EQ(cmds[97].rect, (Rect{0, 0, c.w, c.h}));
    EXPECT_EQ(c.w / static_cast<float>(c.tw), c.block);
    const float scale = c.w / 960 * 165;
    EXPECT_EQ(cmds[98].rect.w, 2 * scale);
  }
}

TEST(SceneBoss, ClonesDarkenBySlotAndInactiveSlotsCount) {
  GameState state = scene_state(og_settings());
  state.stage = 2;
  state.boss_present = false;
  state.modifier_stack.fight.clone_active = true;
  for (int i = 0; i < 6; ++i) state.clones.push_back(BossClone{0.4f * i, 0, true});
  const Color base = Color::rgba8(189, 50, 58);
  auto body_colours = [&] {
    std::vector<Color> colours;
    for (const DrawCommand& c : sprites(draw(state, 960, 720), kIdlePads + kPlayer + 6 * 8)) {
      if (c.op == DrawOp::Circle && c.radius == 23) colours.push_back(c.color);
    }
    return colours;
  };
  const float factors[] = {0.88f, 0.82f, 0.76f, 0.70f, 0.64f, 0.64f};
  std::vector<Color> colours = body_colours();
  ASSERT_EQ(colours.size(), 6u);
  for (int i = 0; i < 6; ++i) {
    SCOPED_TRACE(i);
    expect_colour_near(colours[i], {base.r * factors[i], base.g * factors[i], base.b * factors[i], 1});
  }

  state.clones[0].active = false;
  state.clones.push_back(BossClone{3.0f, 0, true});
  colours = body_colours();
  ASSERT_EQ(colours.size(), 6u);
  expect_colour_near(colours[0], {base.r * 0.82f, base.g * 0.82f, base.b * 0.82f, 1});
}

TEST(SceneBoss, PipsFollowHitPointsOrShowOneInACloneFight) {
  struct Case {
    std::int32_t hp;
    bool clone_fight;
    size_t pips;
  };
  for (const Case& c : {Case{3, false, 3}, Case{1, false, 1}, Case{0, false, 0},
                        Case{-2, false, 0}, Case{5, true, 1}}) {
    SCOPED_TRACE(c.hp);
    GameState state = scene_state(og_settings());
    state.boss_hp = c.hp;
    state.modifier_stack.fight.clone_active = c.clone_fight;
    state.boss_angle = kPi;  // on the left rim, P = centre + 189 · (-1, 0)
    const auto pips =
        with_colour(sprites(draw(state, 960, 720), kIdlePads + kPlayer + kBoss + c.pips), kPip);
    ASSERT_EQ(pips.size(), c.pips);
    for (size_t i = 0; i < pips.size(); ++i) {
      EXPECT_NEAR(pips[i].a.x, 480 - 189 - 16 + 16.0f * i, 1e-3f);
      EXPECT_NEAR(pips[i].a.y, 388.8f - 38, 1e-3f);
      EXPECT_EQ(pips[i].radius, 4.5f);
    }
  }
}

TEST(SceneBoss, FlashAndGuardColoursWithDarkerWings) {
  struct Case {
    float flash, guard;
    Color main;
  };
  for (const Case& c : {Case{0, 0, Color::rgba8(54, 45, 72)},
                        Case{0, 0.3f, Color::rgba8(116, 93, 139)},
                        Case{0.1f, 0.3f, Color::rgba8(255, 245, 205)}}) {
    GameState state = scene_state(og_settings());
    state.boss_flash_time = c.flash;
    state.boss_guard_time = c.guard;
    const auto boss = sprites(draw(state, 960, 720), kIdlePads + kPlayer + kBoss);
    const DrawCommand* wing = &boss[kIdlePads + kPlayer];
    const DrawCommand* body = &boss[kIdlePads + kPlayer + 2];
    ASSERT_EQ(wing->op, DrawOp::Triangle);
    ASSERT_EQ(body->op, DrawOp::Circle);
    EXPECT_EQ(body->color, c.main);
    expect_colour_near(wing->color, {c.main.r * 0.68f, c.main.g * 0.68f, c.main.b * 0.68f, 1});
  }
}

TEST(SceneBoss, FigureStandsOnTheRimFacingOutwards) {
  GameState state = scene_state(og_settings());
  state.boss_angle = kPi / 2;  // straight below the centre: outward is +y
  const auto boss = sprites(draw(state, 960, 720, 0.0), kIdlePads + kPlayer + kBoss);
  const DrawCommand* f = &boss[kIdlePads + kPlayer];
  // Wings from B = P - 4n, spreading sideways; no wobble at t = 0.
  const Vec2 p{480, 388.8f + 189};
  EXPECT_NEAR(f[0].a.y, p.y - 4, 1e-3f);
  EXPECT_NEAR(std::fabs(f[0].b.x - p.x), 45, 1e-3f);
  EXPECT_NEAR(f[0].c.y, p.y + 16, 1e-3f);
  EXPECT_NEAR(f[2].a.y, p.y, 1e-3f);           // body
  EXPECT_NEAR(f[3].a.y, p.y + 13, 1e-3f);      // head
  EXPECT_NEAR(f[4].a.y, p.y + 28, 1e-3f);      // crest tip
  EXPECT_NEAR(f[5].a.y, p.y + 16, 1e-3f);      // eye
  EXPECT_NEAR(f[6].a.y, p.y + 17.3f, 1e-3f);   // pupil
  EXPECT_EQ(f[5].color, kWhite);
  EXPECT_EQ(f[6].color, kBlack);
}

TEST(ScenePads, LabelsBelongToThePadNotToTheTurn) {
  for (float turn : {0.0f, 1.2f, kPi, 5.0f}) {
    SCOPED_TRACE(turn);
    GameState state = scene_state(og_settings());
    state.planet_turn = turn;
    const auto pads = sprites(draw(state, 960, 720), kIdlePads);
    ASSERT_EQ(pads[2].op, DrawOp::Text);
    ASSERT_EQ(pads[5].op, DrawOp::Text);
    EXPECT_EQ(pads[2].text, "D");
    EXPECT_EQ(pads[5].text, "A");
    EXPECT_EQ(pads[2].font_size, 20);
    const Vec2 q{480 + 176 * std::cos(turn), 388.8f + 176 * std::sin(turn)};
    EXPECT_NEAR(pads[0].a.x, q.x, 1e-3f);
    EXPECT_NEAR(pads[0].a.y, q.y, 1e-3f);
    EXPECT_NEAR(pads[2].a.x, q.x + 26 * std::cos(turn) - 6, 1e-3f);
    EXPECT_NEAR(pads[2].a.y, q.y + 26 * std::sin(turn) + 5, 1e-3f);
  }
}

TEST(ScenePads, SelectedPadShinesAndPhasesDrawOnTheFarSide) {
  struct Case {
    std::string name;
    LaunchPhase phase;
    float phase_time;
    size_t extra;        // commands beyond the two discs and the label
    float spike_reach;  // distance of the spike's knob from the centre, when drawn
  };
  const std::vector<Case> cases = {
      {"idle", LaunchPhase::Idle, 0.5f, 0, 0},
      {"strike at 0: no spike yet", LaunchPhase::Strike, 0, 0, 0},
      {"strike half way", LaunchPhase::Strike, 0.09f, 3, 165 + 28},
      {"hold at its start", LaunchPhase::Hold, 0, 3, 165 + 56},
      {"hold at 0.28 s: gone", LaunchPhase::Hold, 0.28f, 0, 0},
      {"recover", LaunchPhase::Recover, 0.1f, 0, 0},
      {"wind-up", LaunchPhase::WindUp, 0.17f, 1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    GameState state = scene_state(og_settings());
    state.facing = Facing::Right;
    state.launch_pads[0] = LaunchPad{0, c.phase_time, c.phase};
    const auto pad = sprites(draw(state, 960, 720), kIdlePads + c.extra);
    EXPECT_EQ(pad[1].color, Color::rgba8(168, 150, 116));             // pad 0 not selected
    EXPECT_EQ(pad[2 + c.extra + 2].color, Color::rgba8(246, 225, 107));  // pad 1 selected
    if (c.phase == LaunchPhase::WindUp) {
      // Ring round the far point (planet angle π, on the left), half grown.
      EXPECT_EQ(pad[2].op, DrawOp::CircleLines);
      EXPECT_NEAR(pad[2].a.x, 480 - 179, 1e-3f);
      EXPECT_NEAR(pad[2].radius, 30, 1e-3f);
      EXPECT_NEAR(pad[2].color.a, 1 - 0.175f, 1e-5f);
    } else if (c.extra == 3) {
      EXPECT_EQ(pad[2].op, DrawOp::Line);
      EXPECT_NEAR(pad[2].a.x, 480 - 137, 1e-3f);
      EXPECT_EQ(pad[2].thickness, 15);
      EXPECT_EQ(pad[3].thickness, 8);
      EXPECT_NEAR(pad[4].a.x, 480 - c.spike_reach, 1e-3f);
    }
    EXPECT_EQ(pad[2 + c.extra].op, DrawOp::Text);
  }
}

TEST(ScenePlayer, BlinksWhileGuardedButTheAuraKeepsPulsing) {
  struct Case {
    double time;
    float guard;
    bool body_drawn;
    Color main;
    // The pulsing aura at this time, worked out by hand: s = 0.5 + 0.5 sin(4t), radius 28 + 4s,
    // disc alpha ⌊35s + 40⌋, ring alpha ⌊80s + 120⌋.
    float aura_radius;
    int fill_alpha, ring_alpha;
  };
  const Color blue = kPlayerMain;
  for (const Case& c : {Case{0.5, 0, true, blue, 31.8186f, 73, 196},
                        Case{0.5, 0.4f, false, blue, 31.8186f, 73, 196},
                        Case{0.5625, 0.4f, true, blue, 31.5561f, 71, 191},
                        Case{2.1, 0, true, kWhite, 31.7092f, 72, 194},
                        Case{2.13, 0.4f, false, kWhite, 31.5726f, 71, 191}}) {
    SCOPED_TRACE(c.time);
    GameState state = scene_state(og_settings());
    state.player_guard_time = c.guard;
    state.modifier_stack.shield_time = 1;
    const size_t player = 2 + (c.body_drawn ? kPlayer : 0);
    const auto drawn = sprites(draw(state, 960, 720, c.time), kIdlePads + player + kBoss);
    const DrawCommand* p = &drawn[kIdlePads];
    EXPECT_EQ(p[0].op, DrawOp::Circle);
    EXPECT_NEAR(p[0].radius, c.aura_radius, 1e-3f);
    EXPECT_EQ(p[0].color, Color::rgba8(120, 200, 255, c.fill_alpha));
    EXPECT_EQ(p[1].op, DrawOp::CircleLines);
    EXPECT_EQ(p[1].color, Color::rgba8(180, 230, 255, c.ring_alpha));
    if (c.body_drawn) {
      EXPECT_EQ(p[2].color, c.main);
      EXPECT_EQ(p[2].radius, 18);
      EXPECT_EQ(p[7].op, DrawOp::Triangle);
      EXPECT_EQ(p[7].color, Color::rgba8(230, 87, 75));
    } else {
      EXPECT_EQ(p[2].op, DrawOp::Triangle);  // straight on to the boss's wing
    }
  }
}

TEST(SceneFrame, WithoutAPlanetEverythingElseIsStillDrawnThenHudAndOverlay) {
  GameState with = scene_state(og_settings());
  GameState without = scene_state(og_settings());
  without.planet.reset();
  const DrawList a = draw(with, 960, 720);
  const DrawList b = draw(without, 960, 720);
  EXPECT_TRUE(std::none_of(b.commands.begin(), b.commands.end(),
                           [](const DrawCommand& c) { return c.op == DrawOp::Planet; }));
  ASSERT_EQ(a.commands.size(), b.commands.size() + 1);
  // The sprites, the HUD and the overlay follow the backdrop in both.
  EXPECT_EQ(b.commands[95].op, a.commands[96].op);
  EXPECT_EQ(b.commands.back().op, a.commands.back().op);
  EXPECT_GT(a.commands.size(), 96 + kIdlePads + kPlayer + kBoss + 3);  // the HUD drew too
}

}  // namespace
}  // namespace ventora
