#include "game/run.h"

#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

#include "cards/modifier_stack.h"
#include "tests/support/play_frame.h"

namespace ventora {
namespace {

constexpr ClockReading kClock{1765000000, 123456700};

FrameInput frame(float w = 1280, float h = 720) {
  FrameInput input;
  input.screen_width = w;
  input.screen_height = h;
  return input;
}

FrameInput pressing(Key key) {
  FrameInput input = frame();
  input.press(key);
  return input;
}

TEST(StageOrder, PrimeJumpCountAfterStageFourOpensTheBonusStage) {
  struct Case {
    std::uint64_t stage, jumps, next;
  };
  const Case cases[] = {
      {1, 0, 2}, {2, 0, 3}, {3, 7, 4}, {4, 7, 6}, {4, 9, 5}, {4, 2, 6}, {4, 1, 5},
      {4, 0, 5}, {4, 97, 6}, {4, 91, 5}, {6, 3, 5}, {5, 0, 5}, {6, 4, 5},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(next_stage(c.stage, c.jumps), c.next) << c.stage << " after " << c.jumps << " jumps";
  }
}

TEST(StageOrder, StagePlanetsAndToppings) {
  struct Case {
    std::uint64_t stage;
    planet::PlanetKind kind;
    std::uint64_t seed;
    std::string_view topping;
  };
  using K = planet::PlanetKind;
  const Case cases[] = {
      {1, K::RiverPlanet, 0x112210F47DE9A82CULL, "Thule cheese"},
      {2, K::IslandPlanet, 0x112210F47DE9CF43ULL, "Lemurian Basil"},
      {3, K::GasGiant, 0x112210F47DE9F65AULL, "Atlantean Anchovy"},
      {4, K::IcePlanet, 0x112210F47DEA1D71ULL, "Mu Pepperoni"},
      {5, K::LavaPlanet, 0x112210F47DEA4488ULL, "Hyperboran Jalapenos"},
      {6, K::IslandPlanet, 0x112210F47DE9CF54ULL, "Red Pepper"},
  };
  for (const Case& c : cases) {
    const StageInfo info = stage_info(c.stage);
    EXPECT_EQ(info.kind, c.kind) << c.stage;
    EXPECT_EQ(info.seed, c.seed) << c.stage;
    EXPECT_EQ(info.topping, c.topping) << c.stage;
  }
}

TEST(StartRun, FreshRunStartsTheFirstFightAtOnce) {
  Pcg32 rng;
  const GameState state = start_run(rng, kClock, OutputMode::Hd720);
  EXPECT_EQ(state.screen, Screen::Fight);
  EXPECT_EQ(state.stage, 1u);
  EXPECT_EQ(state.player_hp, 3);
  EXPECT_EQ(state.boss_hp, 3);
  EXPECT_EQ(state.countdown, 0.0f);
  EXPECT_EQ(state.backdrop_stars.size(), 90u);
  ASSERT_TRUE(state.planet.has_value());
  EXPECT_EQ(state.planet->kind, planet::PlanetKind::RiverPlanet);
  EXPECT_EQ(state.planet->pixels, 110u);
  EXPECT_TRUE(state.modifier_stack.picks.empty());
  EXPECT_FALSE(state.rng_reseeded);
  EXPECT_EQ(state.entropy_seed, 0xba9c130189e55b6cULL);
}

// Every screen runs the card timers, and R on any screen starts a fresh run at once.
TEST(UpdateGame, CardTimersRunAndRestartWorksOnEveryScreen) {
  const Screen screens[] = {Screen::Fight,     Screen::StageClear, Screen::CardChoice,
                            Screen::Countdown, Screen::Victory,    Screen::Defeat};
  for (Screen screen : screens) {
    SCOPED_TRACE(static_cast<int>(screen));
    Pcg32 rng;
    GameState state = start_run(rng, kClock, OutputMode::Hd720);
    state.screen = screen;
    state.countdown = 2.0f;
    state.stage = 3;
    state.boss_angle = 0;  // away from the player
    state.jump_count = 12;
    state.render_settings.planet_pixels = 400;
    apply_pick(state.modifier_stack, Card::UltimateSacrifice, state.player_hp);
    state.modifier_stack.shield_time = 1.0f;

    play_frame(state, rng, frame(), 0.25f);
    EXPECT_EQ(state.modifier_stack.shield_time, 0.75f);
    EXPECT_EQ(seconds_left(state.modifier_stack, ModifierKind::Sacrifice), 19.75f);
    EXPECT_EQ(state.stage, 3u);

    play_frame(state, rng, pressing(Key::R), 0.25f);
    EXPECT_EQ(state.screen, Screen::Fight);
    EXPECT_EQ(state.stage, 1u);
    EXPECT_EQ(state.player_hp, 3);
    EXPECT_EQ(state.jump_count, 0u);
    EXPECT_EQ(state.render_settings.planet_pixels, 110.0f);
    EXPECT_TRUE(state.modifier_stack.picks.empty());
    EXPECT_EQ(state.modifier_stack.shield_time, 0.0f);
  }
}

// A restart keeps the run's output mode and brings its settings back to that mode's start values.
TEST(UpdateGame, RestartKeepsTheRunsMode) {
  const std::pair<OutputMode, float> cases[] = {
      {OutputMode::Og, 180}, {OutputMode::Hd720, 110}, {OutputMode::Hd1080, 110}, {OutputMode::Hd4k, 110}};
  for (const auto& [mode, planet_pixels] : cases) {
    SCOPED_TRACE(mode_word(mode));
    Pcg32 rng;
    GameState state = start_run(rng, kClock, mode);
    state.render_settings.planet_pixels = 400;
    state.render_settings.planet_dither = false;
    play_frame(state, rng, pressing(Key::R), 0.25f);
    EXPECT_EQ(state.render_settings.mode, mode);
    EXPECT_EQ(state.render_settings.planet_pixels, planet_pixels);
    EXPECT_TRUE(state.render_settings.planet_dither);
    ASSERT_TRUE(state.planet.has_value());
    EXPECT_EQ(state.planet->pixels, static_cast<std::uint32_t>(planet_pixels));
  }
}

TEST(UpdateGame, CountdownReachingExactlyZeroStartsTheFight) {
  Pcg32 rng;
  GameState state = start_run(rng, kClock, OutputMode::Hd720);
  state.screen = Screen::Countdown;
  // Binary fractions, so the count lands on 0 exactly: 0.375 - 0.25 - 0.125.
  state.countdown = 0.375f;
  play_frame(state, rng, frame(), 0.25f);
  EXPECT_EQ(state.screen, Screen::Countdown);
  play_frame(state, rng, frame(), 0.125f);
  ASSERT_EQ(state.countdown, 0.0f);
  EXPECT_EQ(state.screen, Screen::Fight);
}

// What a frame did, as update_game tells it: the events that are the run's own, not the fight's.
TEST(UpdateGame, TellsWhatTheFrameDid) {
  struct Case {
    const char* what;
    std::function<void(GameState&)> set_up;
    FrameInput input;
    std::function<void(GameEvents&)> expected;  // from no events
  };
  const auto confused = [](float clock) {
    return [clock](GameState& s) {
      s.modifier_stack.fight.confuse_active = true;
      s.modifier_stack.fight.confuse_period = 3;
      s.modifier_stack.fight.confuse_clock = clock;
    };
  };
  const auto counting = [](float left) {
    return [left](GameState& s) {
      s.screen = Screen::Countdown;
      s.countdown = left;
    };
  };
  const Case cases[] = {
      {"the count-in reaches 2", counting(2.56f), frame(),
       [](GameEvents& e) { e.countdown_beat = 2; }},
      {"the count-in within one number", counting(2.4f), frame(), [](GameEvents&) {}},
      {"the count-in says GO!", counting(0.56f), frame(),
       [](GameEvents& e) { e.countdown_beat = 0; }},
      {"a fight without clones starts", counting(0.01f), frame(),
       [](GameEvents& e) { e.screen_change = ScreenChange{Screen::Countdown, Screen::Fight}; }},
      {"the clones come on when the fight starts",
       [&](GameState& s) {
         counting(0.01f)(s);
         s.clones = {BossClone{1.0f, 0, false}, BossClone{2.0f, 0, true}};
       },
       frame(),
       [](GameEvents& e) {
         e.screen_change = ScreenChange{Screen::Countdown, Screen::Fight};
         e.clones_appeared = true;
       }},
      {"Confuse flips the controls", confused(2.99f), frame(),
       [](GameEvents& e) { e.controls_flipped = true; }},
      {"Confuse flips them back", confused(5.99f), frame(),
       [](GameEvents& e) { e.controls_flipped = false; }},
      {"the stage-clear panel is left", [](GameState& s) { s.screen = Screen::StageClear; },
       pressing(Key::C),
       [](GameEvents& e) {
         e.screen_change = ScreenChange{Screen::StageClear, Screen::CardChoice};
       }},
      {"a restart in a fight", [](GameState&) {}, pressing(Key::R),
       [](GameEvents& e) { e.restarted = true; }},
      {"a restart after a defeat", [](GameState& s) { s.screen = Screen::Defeat; },
       pressing(Key::R),
       [](GameEvents& e) {
         e.restarted = true;
         e.screen_change = ScreenChange{Screen::Defeat, Screen::Fight};
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Pcg32 rng;
    GameState state = start_run(rng, kClock, OutputMode::Hd720);
    state.boss_angle = 0;  // away from the player
    c.set_up(state);
    const GameEvents got = play_frame(state, rng, c.input, 0.02f).events;
    GameEvents want;
    c.expected(want);
    EXPECT_EQ(got.restarted, want.restarted);
    EXPECT_EQ(got.screen_change.has_value(), want.screen_change.has_value());
    if (got.screen_change && want.screen_change) {
      EXPECT_EQ(got.screen_change->from, want.screen_change->from);
      EXPECT_EQ(got.screen_change->to, want.screen_change->to);
    }
    EXPECT_EQ(got.countdown_beat, want.countdown_beat);
    EXPECT_EQ(got.clones_appeared, want.clones_appeared);
    EXPECT_EQ(got.controls_flipped, want.controls_flipped);
  }
}

TEST(UpdateGame, AskForTheModeSizeWhenTheWindowDrifts) {
  Pcg32 rng;
  GameState state = start_run(rng, kClock, OutputMode::Hd720);
  EXPECT_FALSE(play_frame(state, rng, frame(1281, 720), 0.016f).window_size.has_value());
  EXPECT_EQ(play_frame(state, rng, frame(1282, 720), 0.016f).window_size, (WindowSize{1280, 720}));
}

TEST(UpdateGame, PlanetTakesPixelCountAndDitherEveryFrame) {
  Pcg32 rng;
  GameState state = start_run(rng, kClock, OutputMode::Hd720);
  state.render_settings.planet_pixels = 6000;
  state.render_settings.planet_dither = false;
  play_frame(state, rng, frame(), 0.016f);
  EXPECT_EQ(state.planet->pixels, 5000u);
  EXPECT_FALSE(state.planet->should_dither);
}

TEST(BeginFight, SetsUpTheNextStageWithACountIn) {
  Pcg32 rng;
  GameState state = start_run(rng, kClock, OutputMode::Hd720);
  state.stage = 2;
  state.boss_hp = 0;
  state.planet_turn = 2.0f;
  state.facing = Facing::Right;
  state.player_height = 12;
  state.planet_time = 4;
  GameEvents events;
  begin_fight(state, events);
  EXPECT_EQ(state.stage, 3u);
  EXPECT_EQ(state.screen, Screen::Countdown);
  EXPECT_FLOAT_EQ(state.countdown, 3.55f);
  EXPECT_EQ(events.countdown_beat, 3);
  EXPECT_FALSE(events.player_hit);
  EXPECT_EQ(state.boss_hp, 3);
  EXPECT_EQ(state.planet_turn, 0.0f);
  EXPECT_EQ(state.facing, Facing::Left);
  EXPECT_EQ(state.player_height, 0.0f);
  EXPECT_EQ(state.planet_time, 0.0f);
  EXPECT_EQ(state.planet->kind, planet::PlanetKind::GasGiant);
}

TEST(BeginFight, StartDamageThatTakesTheLastHitPointsEndsTheRun) {
  Pcg32 rng;
  GameState state = start_run(rng, kClock, OutputMode::Hd720);
  state.player_hp = 2;
  apply_pick(state.modifier_stack, Card::TitForTat, state.player_hp);
  GameEvents events;
  begin_fight(state, events);
  EXPECT_EQ(state.screen, Screen::Defeat);
  EXPECT_EQ(state.player_hp, 0);
  EXPECT_TRUE(events.player_hit);
  EXPECT_FALSE(events.countdown_beat);
  EXPECT_EQ(state.modifier_stack.fight.start_damage, 0);
}

TEST(BeginFight, AStandingShieldTakesTheStartDamage) {
  Pcg32 rng;
  GameState state = start_run(rng, kClock, OutputMode::Hd720);
  state.player_hp = 2;
  apply_pick(state.modifier_stack, Card::TitForTat, state.player_hp);
  state.modifier_stack.shield_blocks = 1;
  state.modifier_stack.shield_time = 3;
  GameEvents events;
  begin_fight(state, events);
  EXPECT_EQ(state.screen, Screen::Countdown);
  EXPECT_EQ(state.player_hp, 2);
  EXPECT_TRUE(events.shield_blocked);
  EXPECT_FALSE(events.player_hit);
  EXPECT_EQ(state.boss_hp, 1);
  EXPECT_EQ(state.modifier_stack.shield_blocks, 0);
}

TEST(WinFight, ScreensAfterEachStage) {
  struct Case {
    std::uint64_t stage;
    Screen screen;
    bool bonus_topping;
  };
  const Case cases[] = {
      {1, Screen::StageClear, false}, {4, Screen::StageClear, false},
      {6, Screen::StageClear, true},  {5, Screen::Victory, false},
  };
  for (const Case& c : cases) {
    Pcg32 rng;
    GameState state = start_run(rng, kClock, OutputMode::Hd720);
    state.stage = c.stage;
    state.modifier_stack.fight.buff_bonus = 1;
    win_fight(state);
    EXPECT_EQ(state.screen, c.screen) << c.stage;
    EXPECT_EQ(state.bonus_topping, c.bonus_topping) << c.stage;
    // The last stage ends the run as it stands; other wins end the per-fight card effects.
    EXPECT_EQ(state.modifier_stack.fight.buff_bonus, c.stage == 5 ? 1 : 0) << c.stage;
  }
}

// Through the screens of a run: win, continue, pick Double Trouble, win, pick Buff, win. Its
// enemy bonus lasts two won fights for a hit, but stays in the aggregate for the rest of the run.
TEST(WinFight, DoubleTroubleStaysInTheStatsAfterItsFightsWhileHitsDropIt) {
  Pcg32 rng;
  GameState state = start_run(rng, kClock, OutputMode::Hd720);
  const auto win_continue_and_pick = [&](Card card) {
    win_fight(state);
    play_frame(state, rng, pressing(Key::C), 0.016f);
    ASSERT_EQ(state.screen, Screen::CardChoice);
    state.offer[0].card = card;
    play_frame(state, rng, pressing(Key::Num1), 0.016f);
    ASSERT_EQ(state.screen, Screen::Countdown);
    play_frame(state, rng, frame(), 4.0f);
    ASSERT_EQ(state.screen, Screen::Fight);
  };
  // The aggregate's enemy bonus and the damage of a hit, after each step.
  using BonusAndHit = std::pair<std::int32_t, std::int32_t>;
  std::vector<BonusAndHit> seen;
  const auto look = [&] {
    seen.emplace_back(aggregate_stats(state.modifier_stack).enemy_damage_bonus,
                      damage_taken(state.modifier_stack));
  };
  ASSERT_NO_FATAL_FAILURE(win_continue_and_pick(Card::DoubleTrouble));
  look();
  ASSERT_NO_FATAL_FAILURE(win_continue_and_pick(Card::Buff));
  look();
  win_fight(state);
  look();
  EXPECT_EQ(seen, (std::vector<BonusAndHit>{{1, 2}, {1, 2}, {1, 1}}));
}

TEST(Confetti, FiveNewPiecesEachFrameFallOutFortyBelowTheEdge) {
  Pcg32 rng;
  GameState state = start_run(rng, kClock, OutputMode::Hd720);
  state.screen = Screen::Victory;
  const FrameInput input = frame(960, 720);
  play_frame(state, rng, input, 0.016f);
  ASSERT_EQ(state.confetti.size(), 5u);
  for (const ConfettiPiece& piece : state.confetti) {
    EXPECT_GE(piece.y, -28.0f);
    EXPECT_LT(piece.y, 0.0f);
    EXPECT_GE(piece.x, -1.0f);
    EXPECT_LE(piece.x, 961.0f);
    EXPECT_GE(piece.size, 5.0f);
    EXPECT_LT(piece.size, 11.0f);
  }
  // A piece that has fallen past the bottom edge by 40 goes; one just above stays.
  state.confetti[0].y = 760.0f;
  state.confetti[0].vy = 0;
  state.confetti[1].y = 700.0f;
  state.confetti[1].vy = 0;
  confetti_step(state, rng, 0.0f, 0.0, 960, 720);
  EXPECT_EQ(state.confetti.size(), 9u);
  EXPECT_EQ(state.confetti[0].y, 700.0f);
}

TEST(GameState, BackdropStarsFollowTheFixedSpiral) {
  const std::vector<BackdropStar> stars = make_backdrop_stars();
  ASSERT_EQ(stars.size(), 90u);
  // Star i: angle 2.399963 i; radius, size and brightness from sin 53.17 i, cos 19.41 i and
  // sin 7.13 i mapped onto 215..635, 1..3.2 and 0.48..0.98. Worked out in double precision.
  struct Row {
    size_t i;
    float angle, radius, size, brightness;
  };
  const Row rows[] = {
      {0, 0.0f, 425.0f, 3.2f, 0.73f},
      {1, 2.399963f, 474.3207f, 3.031721f, 0.917294f},
      {2, 4.799926f, 329.1177f, 2.578371f, 0.978116f},
      {45, 107.998335f, 226.1410f, 3.195816f, 0.829090f},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.i);
    EXPECT_NEAR(stars[r.i].angle, r.angle, 1e-4f);
    EXPECT_NEAR(stars[r.i].radius, r.radius, 0.05f);  // float sines of large arguments
    EXPECT_NEAR(stars[r.i].size, r.size, 1e-3f);
    EXPECT_NEAR(stars[r.i].brightness, r.brightness, 1e-3f);
  }
  for (const BackdropStar& star : stars) {
    EXPECT_GE(star.radius, 215.0f);
    EXPECT_LE(star.radius, 635.0f);
    EXPECT_GE(star.size, 1.0f);
    EXPECT_LE(star.size, 3.2f);
    EXPECT_GE(star.brightness, 0.48f);
    EXPECT_LE(star.brightness, 0.98f);
  }
}

TEST(GameState, WrapAngleStaysInsideZeroToTwoPi) {
  const float cases[] = {0.0f, -0.0f, kTau, -kTau, 1e-9f, -1e-9f, -1e-7f, 7.0f, -7.0f, 1e6f, -3.0f};
  for (float a : cases) {
    const float w = wrap_angle(a);
    EXPECT_GE(w, 0.0f) << a;
    EXPECT_LT(w, kTau) << a;
  }
  EXPECT_NEAR(wrap_angle(-1.65f), 4.633185f, 1e-5f);
}

}  // namespace
}  // namespace ventora
