// The fight step: running, jumping, the boss and clones, launch pads, strikes and contact.
#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "cards/modifier_stack.h"
#include "game/fight.h"
#include "game/fight_rules.h"

namespace ventora {
namespace {

FrameInput holding(std::initializer_list<Key> keys) {
  FrameInput input;
  for (Key k : keys) input.hold(k);
  return input;
}

FrameInput pressing(std::initializer_list<Key> keys) {
  FrameInput input;
  for (Key k : keys) input.press(k);
  return input;
}

// One fight frame, and what it did.
GameEvents step(GameState& state, const FrameInput& input, float dt) {
  GameEvents events;
  fight_step(state, input, dt, events);
  return events;
}

void run_frames(GameState& state, const FrameInput& input, float dt, int frames) {
  for (int i = 0; i < frames; ++i) step(state, input, dt);
}

void pick(GameState& state, Card card) { apply_pick(state.modifier_stack, card, state.player_hp); }

// ---------------------------------------------------------------------------------------------
// Running

struct RunCase {
  std::string name;
  std::vector<Key> held;
  bool confused;
  float turn_after_one_second;
  Facing facing;
};

TEST(FightRunning, OneSecondOfKeysTurnsThePlanetAndSetsFacing) {
  const std::vector<RunCase> cases = {
      {"D runs right: the planet turns back", {Key::D}, false, kTau - 1.65f, Facing::Right},
      {"Right arrow as D", {Key::Right}, false, kTau - 1.65f, Facing::Right},
      {"A runs left", {Key::A}, false, 1.65f, Facing::Left},
      {"Left arrow as A", {Key::Left}, false, 1.65f, Facing::Left},
      {"both keys: still, facing right", {Key::A, Key::D}, false, 0.0f, Facing::Right},
      {"confused D turns forwards", {Key::D}, true, 1.65f, Facing::Right},
      {"no keys: still, facing kept", {}, false, 0.0f, Facing::Left},
  };
  for (const RunCase& c : cases) {
    SCOPED_TRACE(c.name);
    GameState state;
    if (c.confused) {
      state.modifier_stack.fight.confuse_active = true;
      state.modifier_stack.fight.confuse_clock = 4.0f;  // seconds 3 to 6 of the clock are flipped
      ASSERT_TRUE(controls_flipped(state.modifier_stack));
    }
    FrameInput input;
    for (Key k : c.held) input.hold(k);
    run_frames(state, input, 0.05f, 20);
    EXPECT_NEAR(state.planet_turn, c.turn_after_one_second, 1e-4f);
    EXPECT_EQ(state.facing, c.facing);
    EXPECT_GE(state.planet_turn, 0.0f);
    EXPECT_LT(state.planet_turn, kTau);
  }
}

TEST(FightRunning, RunMultiplierScalesTheTurn) {
  GameState state;
  pick(state, Card::Speedster);  // run speed 200 %
  run_frames(state, holding({Key::A}), 0.05f, 10);
  EXPECT_NEAR(state.planet_turn, 1.65f, 1e-4f);
}

// ---------------------------------------------------------------------------------------------
// Jumping

struct JumpResult {
  float apex = 0;
  float air_time = 0;
  std::optional<JumpKind> kind;  // the take-off frame's
  int landings = 0;              // frames that said the player landed
};

// One jump from standing, stepped finely until the player lands again.
JumpResult jump_once(GameState& state) {
  constexpr float dt = 0.0005f;
  JumpResult result;
  result.kind = step(state, pressing({Key::Space}), dt).jump;
  for (int i = 0; i < 200000; ++i) {
    result.landings += step(state, FrameInput{}, dt).landed ? 1 : 0;
    result.apex = std::max(result.apex, state.player_height);
    result.air_time += dt;
    if (state.player_height <= 0) break;
  }
  return result;
}

TEST(FightJumping, ApexDependsOnTheJumpMultiplierOnly) {
  GameState plain;
  const JumpResult normal = jump_once(plain);
  EXPECT_EQ(normal.kind, JumpKind::Plain);
  EXPECT_EQ(normal.landings, 1);
  EXPECT_NEAR(normal.apex, 64.7f, 0.2f);
  EXPECT_NEAR(normal.air_time, 2 * 345.0f / 920.0f, 0.01f);
  EXPECT_EQ(plain.player_vspeed, 0.0f);

  GameState heavy;
  pick(heavy, Card::CrushingWeight);  // gravity 600 %, jump 5 %
  const JumpResult low = jump_once(heavy);
  EXPECT_NEAR(low.apex, 3.2f, 0.1f);
  EXPECT_LT(low.air_time, normal.air_time / 8);
}

TEST(FightJumping, TickTockAlternatesLowAndHighJumps) {
  GameState state;
  pick(state, Card::TickTock);
  const JumpResult low = jump_once(state);
  const JumpResult high = jump_once(state);
  const JumpResult low_again = jump_once(state);
  EXPECT_NEAR(low.apex, 6.5f, 0.1f);
  EXPECT_NEAR(high.apex, 103.5f, 0.3f);
  EXPECT_NEAR(low_again.apex, 6.5f, 0.1f);
  EXPECT_EQ(low.kind, JumpKind::TickLow);
  EXPECT_EQ(high.kind, JumpKind::TockHigh);
  EXPECT_EQ(low_again.kind, JumpKind::TickLow);
  EXPECT_EQ(state.jump_count, 3u);
}

TEST(FightJumping, TakeOffOnTheNextFrameAndNoJumpInTheAir) {
  GameState state;
  step(state, pressing({Key::W}), 0.05f);
  EXPECT_EQ(state.jump_count, 1u);
  EXPECT_EQ(state.player_height, 0.0f);  // vertical motion ran before the jump this frame
  EXPECT_FLOAT_EQ(state.player_vspeed, 345.0f);

  step(state, FrameInput{}, 0.05f);
  EXPECT_FLOAT_EQ(state.player_height, 345.0f * 0.05f);
  const float vspeed = state.player_vspeed;
  EXPECT_FLOAT_EQ(vspeed, 345.0f - 920.0f * 0.05f);

  step(state, pressing({Key::Up}), 0.05f);
  EXPECT_EQ(state.jump_count, 1u);
  EXPECT_FLOAT_EQ(state.player_vspeed, vspeed - 920.0f * 0.05f);
}

// ---------------------------------------------------------------------------------------------
// Boss and clones

TEST(FightBoss, WalksAtItsSpeedEvenWhenAbsent) {
  GameState state;
  run_frames(state, FrameInput{}, 0.05f, 20);
  EXPECT_NEAR(state.boss_angle, kPi / 2 + 0.86f, 1e-4f);

  state.boss_present = false;
  run_frames(state, FrameInput{}, 0.05f, 20);
  EXPECT_NEAR(state.boss_angle, kPi / 2 + 1.72f, 1e-4f);
}

TEST(FightBoss, ClonesStartOnTheBossAndReverseForPrimeSeconds) {
  GameState state;
  pick(state, Card::Clone);
  pick(state, Card::Clone);
  reset_fight(state);
  start_fight_effects(state.modifier_stack, state.player_hp, state.boss_hp);
  place_clones(state);
  ASSERT_EQ(state.clones.size(), 2u);
  EXPECT_EQ(state.clones[0].reverse_time, 2.0f);
  EXPECT_EQ(state.clones[1].reverse_time, 3.0f);
  for (const BossClone& clone : state.clones) {
    EXPECT_EQ(clone.angle, kPi / 2);
    EXPECT_TRUE(clone.active);
  }
  EXPECT_EQ(state.boss_hp, 3);

  // 2.5 s in frames of an exact binary length, so the reverse times run out on a frame edge.
  run_frames(state, FrameInput{}, 0.0625f, 40);
  EXPECT_NEAR(state.boss_angle, kPi / 2 + 2.5f * 0.86f, 1e-3f);
  EXPECT_NEAR(state.clones[0].angle, wrap_angle(kPi / 2 - 1.5f * 0.86f), 1e-3f);
  EXPECT_NEAR(state.clones[1].angle, wrap_angle(kPi / 2 - 2.5f * 0.86f), 1e-3f);
  EXPECT_EQ(state.clones[0].reverse_time, 0.0f);
  EXPECT_NEAR(state.clones[1].reverse_time, 0.5f, 1e-4f);
}

TEST(FightBoss, PlaceClonesNeedsACloneFightAndMakesAtLeastOne) {
  GameState state;
  place_clones(state);
  EXPECT_TRUE(state.clones.empty());

  state.modifier_stack.fight.clone_active = true;  // no Clone card picked
  state.boss_present = false;
  place_clones(state);
  ASSERT_EQ(state.clones.size(), 1u);
  EXPECT_EQ(state.clones[0].reverse_time, 2.0f);
  EXPECT_TRUE(state.boss_present);
}

TEST(FightBoss, CloneReversesForTheWholeFrameItsTimeRunsOut) {
  GameState state;
  state.clones = {BossClone{1.0f, 0.01f, true}, BossClone{2.0f, 4.0f, false}};
  step(state, FrameInput{}, 0.05f);
  EXPECT_NEAR(state.clones[0].angle, 1.0f - 0.86f * 0.05f, 1e-5f);
  EXPECT_EQ(state.clones[0].reverse_time, 0.0f);
  step(state, FrameInput{}, 0.05f);
  EXPECT_NEAR(state.clones[0].angle, 1.0f, 1e-5f);
  // A struck clone stays in its slot, frozen, keeping its reverse time.
  EXPECT_EQ(state.clones[1].angle, 2.0f);
  EXPECT_EQ(state.clones[1].reverse_time, 4.0f);
}

TEST(FightBoss, ResetFightRestoresEveryPerFightField) {
  GameState state;
  state.facing = Facing::Right;
  state.launch_pads[1] = LaunchPad{kPi, 0.1f, LaunchPhase::Hold};
  state.boss_angle = 5;
  state.boss_speed = 2;
  state.boss_hp = -1;
  state.boss_present = false;
  state.boss_guard_time = state.boss_flash_time = state.player_guard_time = 0.5f;
  state.clones.push_back(BossClone{});
  state.player_height = 10;
  state.player_vspeed = -50;
  state.planet_turn = 2;
  state.player_hp = 2;
  state.jump_count = 5;
  reset_fight(state);
  EXPECT_EQ(state.facing, Facing::Left);
  EXPECT_EQ(state.launch_pads[0].angle, 0.0f);
  EXPECT_EQ(state.launch_pads[1].angle, kPi);
  for (const LaunchPad& pad : state.launch_pads) {
    EXPECT_EQ(pad.phase, LaunchPhase::Idle);
    EXPECT_EQ(pad.phase_time, 0.0f);
  }
  EXPECT_EQ(state.boss_angle, kPi / 2);
  EXPECT_EQ(state.boss_speed, 0.86f);
  EXPECT_EQ(state.boss_hp, 3);
  EXPECT_TRUE(state.boss_present);
  EXPECT_TRUE(state.clones.empty());
  EXPECT_EQ(state.boss_guard_time + state.boss_flash_time + state.player_guard_time, 0.0f);
  EXPECT_EQ(state.player_height + state.player_vspeed + state.planet_turn, 0.0f);
  EXPECT_EQ(state.player_hp, 2);     // hit points carry over between fights
  EXPECT_EQ(state.jump_count, 5u);  // and so do the jumps of the run
}

// ---------------------------------------------------------------------------------------------
// Firing and the launch pad cycle

TEST(FightPads, FacingPicksThePadAndABusyPadIgnoresFire) {
  GameState state;
  EXPECT_TRUE(step(state, pressing({Key::J}), 0.01f).pad_wound_up);
  EXPECT_EQ(state.launch_pads[0].phase, LaunchPhase::WindUp);
  EXPECT_EQ(state.launch_pads[1].phase, LaunchPhase::Idle);
  EXPECT_FLOAT_EQ(state.launch_pads[0].phase_time, 0.01f);  // fired, then advanced this frame

  EXPECT_FALSE(step(state, pressing({Key::J}), 0.01f).pad_wound_up);
  EXPECT_FLOAT_EQ(state.launch_pads[0].phase_time, 0.02f);  // not restarted

  FrameInput right_and_fire = pressing({Key::Enter});
  right_and_fire.hold(Key::D);
  step(state, right_and_fire, 0.01f);
  EXPECT_EQ(state.launch_pads[1].phase, LaunchPhase::WindUp);
  EXPECT_FLOAT_EQ(state.launch_pads[0].phase_time, 0.03f);
}

TEST(FightPads, OnePhasePerFrameWithTheExcessDropped) {
  GameState state;
  state.boss_present = false;
  step(state, pressing({Key::J}), 0.0f);
  const LaunchPad& pad = state.launch_pads[0];
  struct Step {
    float dt;
    LaunchPhase phase;
    float phase_time;
  };
  const std::vector<Step> steps = {
      {0.30f, LaunchPhase::WindUp, 0.30f},  {0.30f, LaunchPhase::Strike, 0.0f},
      {0.17f, LaunchPhase::Strike, 0.17f},  {0.02f, LaunchPhase::Hold, 0.0f},
      {0.05f, LaunchPhase::Hold, 0.05f},    {1.00f, LaunchPhase::Recover, 0.0f},
      {1.00f, LaunchPhase::Idle, 0.0f},     {1.00f, LaunchPhase::Idle, 1.0f},
  };
  for (size_t i = 0; i < steps.size(); ++i) {
    SCOPED_TRACE("step " + std::to_string(i));
    step(state, FrameInput{}, steps[i].dt);
    EXPECT_EQ(pad.phase, steps[i].phase);
    EXPECT_NEAR(pad.phase_time, steps[i].phase_time, 1e-6f);
  }
}

TEST(FightPads, FullCycleTakesAboutOneSecondAtSixtyFramesPerSecond) {
  GameState state;
  state.boss_present = false;
  constexpr float dt = 1.0f / 60.0f;
  step(state, pressing({Key::J}), dt);
  int frames = 1;
  while (state.launch_pads[0].phase != LaunchPhase::Idle && frames < 1000) {
    step(state, FrameInput{}, dt);
    ++frames;
  }
  // Each phase ends on the frame its time is reached, and the excess is dropped.
  EXPECT_EQ(frames, 21 + 11 + 17 + 14);
}

// ---------------------------------------------------------------------------------------------
// Strikes

struct StrikeCase {
  std::string name;
  int pad;  // the pad leaving its wind-up this frame
  float boss_angle;
  bool boss_present = true;
  std::vector<BossClone> clones = {};
  float boss_guard = 0;
  bool clone_fight = false;
  std::int32_t boss_hp = 3;
  std::vector<Card> cards = {};
  std::uint64_t stage = 1;
  // Expected:
  StrikeResult struck;
  std::int32_t hp_after;
  bool present_after;
  std::vector<bool> clones_active_after = {};
  Screen screen_after = Screen::Fight;
};

TEST(FightStrikes, ResolutionTable) {
  const float near_pi = kPi + 0.1f;
  const std::vector<StrikeCase> cases = {
      {.name = "pad 0 strikes the far side, planet angle pi", .pad = 0, .boss_angle = kPi,
       .struck = StrikeResult::Boss, .hp_after = 2, .present_after = true},
      {.name = "pad 1 strikes planet angle 0", .pad = 1, .boss_angle = 6.2f,
       .struck = StrikeResult::Boss, .hp_after = 2, .present_after = true},
      {.name = "pad 1 misses the far side", .pad = 1, .boss_angle = kPi,
       .struck = StrikeResult::Nothing, .hp_after = 3, .present_after = true},
      {.name = "exactly at the reach, after", .pad = 0, .boss_angle = kPi + 0.28f,
       .struck = StrikeResult::Boss, .hp_after = 2, .present_after = true},
      {.name = "exactly at the reach, before", .pad = 0, .boss_angle = kPi - 0.28f,
       .struck = StrikeResult::Boss, .hp_after = 2, .present_after = true},
      {.name = "just beyond the reach", .pad = 0, .boss_angle = kPi + 0.2801f,
       .struck = StrikeResult::Nothing, .hp_after = 3, .present_after = true},
      {.name = "guarded boss takes nothing", .pad = 0, .boss_angle = kPi, .boss_guard = 0.1f,
       .struck = StrikeResult::Guarded, .hp_after = 3, .present_after = true},
      {.name = "absent boss is not a target", .pad = 0, .boss_angle = kPi, .boss_present = false,
       .struck = StrikeResult::Nothing, .hp_after = 3, .present_after = false},
      {.name = "last hit point: the boss leaves", .pad = 0, .boss_angle = kPi, .boss_hp = 1,
       .struck = StrikeResult::Boss, .hp_after = 0, .present_after = false,
       .screen_after = Screen::StageClear},
      {.name = "the last stage's last hit point is victory", .pad = 0, .boss_angle = kPi,
       .boss_hp = 1, .stage = 5, .struck = StrikeResult::Boss, .hp_after = 0,
       .present_after = false, .screen_after = Screen::Victory},
      {.name = "Slow but Steady's 110 % deals 2", .pad = 0, .boss_angle = kPi,
       .cards = {Card::SlowButSteady}, .struck = StrikeResult::Boss, .hp_after = 1,
       .present_after = true},
      {.name = "Eye for an Eye deals 7", .pad = 0, .boss_angle = kPi, .cards = {Card::EyeForAnEye},
       .struck = StrikeResult::Boss, .hp_after = -4, .present_after = false,
       .screen_after = Screen::StageClear},
      {.name = "clone fight: the boss leaves after its first hit", .pad = 0, .boss_angle = kPi,
       .clones = {{1.0f, 0, true}}, .clone_fight = true, .struck = StrikeResult::Boss,
       .hp_after = 2, .present_after = false, .clones_active_after = {true}},
      {.name = "a tie goes to the boss", .pad = 0, .boss_angle = near_pi,
       .clones = {{near_pi, 0, true}}, .clone_fight = true, .struck = StrikeResult::Boss,
       .hp_after = 2, .present_after = false, .clones_active_after = {true}},
      {.name = "a closer clone is struck and leaves", .pad = 0, .boss_angle = kPi + 0.2f,
       .clones = {{near_pi, 0, true}}, .clone_fight = true, .struck = StrikeResult::Clone,
       .hp_after = 2, .present_after = true, .clones_active_after = {false}},
      {.name = "equal clones: the first in the list", .pad = 0, .boss_angle = 1.0f,
       .clones = {{near_pi, 0, true}, {near_pi, 0, true}}, .clone_fight = true,
       .struck = StrikeResult::Clone, .hp_after = 2, .present_after = true,
       .clones_active_after = {false, true}},
      {.name = "inactive clones are skipped", .pad = 0, .boss_angle = 1.0f,
       .clones = {{kPi, 0, false}, {near_pi, 0, true}}, .clone_fight = true,
       .struck = StrikeResult::Clone, .hp_after = 2, .present_after = true,
       .clones_active_after = {false, false}},
      {.name = "a clone strike that empties the pool takes the boss off too", .pad = 0,
       .boss_angle = 1.0f, .clones = {{near_pi, 0, true}}, .clone_fight = true, .boss_hp = 1,
       .struck = StrikeResult::Clone, .hp_after = 0, .present_after = false,
       .clones_active_after = {false}, .screen_after = Screen::StageClear},
  };
  for (const StrikeCase& c : cases) {
    SCOPED_TRACE(c.name);
    GameState state;
    state.stage = c.stage;
    for (Card card : c.cards) pick(state, card);
    state.boss_angle = wrap_angle(c.boss_angle);
    state.boss_present = c.boss_present;
    state.boss_hp = c.boss_hp;
    state.boss_guard_time = c.boss_guard;
    state.clones = c.clones;
    state.modifier_stack.fight.clone_active = c.clone_fight;
    state.launch_pads[c.pad].phase = LaunchPhase::WindUp;
    state.launch_pads[c.pad].phase_time = kWindUpTime;
    // Nothing moves; the pad leaves its wind-up.
    const GameEvents events = step(state, FrameInput{}, 0.0f);

    EXPECT_EQ(state.launch_pads[c.pad].phase, LaunchPhase::Strike);
    EXPECT_EQ(events.strikes[static_cast<size_t>(c.pad)], c.struck);
    EXPECT_FALSE(events.strikes[static_cast<size_t>(1 - c.pad)]);
    EXPECT_EQ(state.boss_hp, c.hp_after);
    EXPECT_EQ(state.boss_present, c.present_after);
    ASSERT_EQ(state.clones.size(), c.clones_active_after.size());
    for (size_t i = 0; i < state.clones.size(); ++i) {
      EXPECT_EQ(state.clones[i].active, c.clones_active_after[i]) << "clone " << i;
    }
    const bool damaged = c.hp_after < c.boss_hp;
    EXPECT_EQ(events.boss_hurt, damaged);
    EXPECT_EQ(events.boss_knocked_out, damaged && c.hp_after <= 0);
    EXPECT_FLOAT_EQ(state.boss_speed, damaged ? 1.02f : 0.86f);
    EXPECT_FLOAT_EQ(state.boss_guard_time, damaged ? 0.75f : c.boss_guard);
    EXPECT_FLOAT_EQ(state.boss_flash_time, damaged ? 0.24f : 0.0f);
    EXPECT_EQ(state.screen, c.screen_after);
  }
}

TEST(FightStrikes, GuardStopsTheNextStrikeEvenInTheSameFrame) {
  // Pad 0 hits the boss; pad 1 lands 0.3 s later on the boss walked round to angle 0.
  GameState state;
  state.boss_angle = kPi;
  state.launch_pads[0] = LaunchPad{0, kWindUpTime, LaunchPhase::WindUp};
  step(state, FrameInput{}, 0.0f);
  ASSERT_EQ(state.boss_hp, 2);
  EXPECT_FLOAT_EQ(state.boss_speed, 1.02f);
  state.boss_angle = 0;
  state.boss_speed = 0;
  state.launch_pads[1] = LaunchPad{kPi, kWindUpTime - 0.3f, LaunchPhase::WindUp};
  step(state, FrameInput{}, 0.3f);
  ASSERT_EQ(state.launch_pads[1].phase, LaunchPhase::Strike);
  EXPECT_EQ(state.boss_hp, 2);

  // Both pads strike in one frame: the boss at pad 0's point and a clone at pad 1's.
  GameState both;
  both.modifier_stack.fight.clone_active = true;
  both.boss_angle = kPi;
  both.clones = {BossClone{0.05f, 0, true}};
  both.launch_pads[0].phase = both.launch_pads[1].phase = LaunchPhase::WindUp;
  both.launch_pads[0].phase_time = both.launch_pads[1].phase_time = kWindUpTime;
  step(both, FrameInput{}, 0.0f);
  EXPECT_EQ(both.boss_hp, 2);
  EXPECT_FALSE(both.boss_present);
  EXPECT_TRUE(both.clones[0].active);
}

TEST(FightStrikes, AFightWonThroughACloneIsWonOnce) {
  // The last shared hit point goes with a clone while the boss stands on a Vampire player: the
  // boss must be gone before the contact step, or retaliation would win the fight again.
  GameState state;
  pick(state, Card::Vampire);
  pick(state, Card::DoubleTrouble);
  // Double Trouble's enemy damage bonus counts for two won fights: fight_won takes one each time.
  const auto double_trouble_fights = [&] {
    for (const Modifier& m : state.modifier_stack.modifiers) {
      if (m.card == Card::DoubleTrouble && m.kind == ModifierKind::EnemyDamageBonus) return m.fights_left;
    }
    return -1;
  };
  ASSERT_EQ(double_trouble_fights(), 2);
  const std::int32_t hp_before = state.player_hp;
  state.modifier_stack.fight.clone_active = true;
  state.boss_hp = 1;
  state.boss_angle = kPlayerScreenAngle;
  state.clones = {BossClone{kPi, 0, true}};
  state.launch_pads[0] = LaunchPad{0, kWindUpTime, LaunchPhase::WindUp};
  step(state, FrameInput{}, 0.0f);

  EXPECT_EQ(state.screen, Screen::StageClear);
  EXPECT_FALSE(state.boss_present);
  EXPECT_EQ(state.boss_hp, 0);
  EXPECT_EQ(double_trouble_fights(), 1) << "fight_won ran more than once";
  EXPECT_EQ(state.player_hp, hp_before) << "a boss that has left touched the player";
}

// ---------------------------------------------------------------------------------------------
// Contact

struct ContactCase {
  std::string name;
  float boss_offset;  // screen angle of the boss minus the player's
  float planet_turn = 0;
  float height = 0;
  bool boss_present = true;
  std::vector<float> clone_offsets = {};
  float player_guard = 0;
  std::int32_t shield_blocks = 0;
  float shield_time = 0;
  std::int32_t player_hp = 3;  // set after the cards are picked
  std::vector<Card> cards = {};
  // Expected:
  std::int32_t hp_after;
  int pushed;  // -1 nobody, 0 the boss, 1 + i clone i
  float guard_after;
  Screen screen_after = Screen::Fight;
  std::int32_t blocks_after = 0;
};

TEST(FightContact, ResolutionTable) {
  const std::vector<ContactCase> cases = {
      {.name = "boss on the player", .boss_offset = 0, .hp_after = 2, .pushed = 0,
       .guard_after = 1},
      {.name = "turned planet", .boss_offset = 0.1f, .planet_turn = 2.5f, .hp_after = 2,
       .pushed = 0, .guard_after = 1},
      {.name = "just inside the reach", .boss_offset = -0.2199f, .hp_after = 2, .pushed = 0,
       .guard_after = 1},
      {.name = "exactly at the reach, ahead", .boss_offset = 0.22f, .hp_after = 3, .pushed = -1,
       .guard_after = 0},
      {.name = "exactly at the reach, behind", .boss_offset = -0.22f, .hp_after = 3,
       .pushed = -1, .guard_after = 0},
      {.name = "at 24 units still touched", .boss_offset = 0, .height = 24, .hp_after = 2,
       .pushed = 0, .guard_after = 1},
      {.name = "at 30 units: no contact, no push", .boss_offset = 0, .height = 30,
       .hp_after = 3, .pushed = -1, .guard_after = 0},
      {.name = "guarded: pushed without damage", .boss_offset = 0, .player_guard = 0.5f,
       .hp_after = 3, .pushed = 0, .guard_after = 0.5f},
      {.name = "shield block absorbs", .boss_offset = 0, .shield_blocks = 1, .shield_time = 3,
       .hp_after = 3, .pushed = 0, .guard_after = 1},
      {.name = "a block without shield time does not", .boss_offset = 0, .shield_blocks = 1,
       .hp_after = 2, .pushed = 0, .guard_after = 1, .blocks_after = 1},
      {.name = "a guarded touch leaves the block", .boss_offset = 0, .player_guard = 0.5f,
       .shield_blocks = 1, .shield_time = 3, .hp_after = 3, .pushed = 0, .guard_after = 0.5f,
       .blocks_after = 1},
      {.name = "absent boss cannot touch", .boss_offset = 0, .boss_present = false,
       .hp_after = 3, .pushed = -1, .guard_after = 0},
      {.name = "a closer clone is the toucher", .boss_offset = 0.1f, .clone_offsets = {0.05f},
       .hp_after = 2, .pushed = 1, .guard_after = 1},
      {.name = "a tie keeps the boss", .boss_offset = 0.1f, .clone_offsets = {0.1f},
       .hp_after = 2, .pushed = 0, .guard_after = 1},
      {.name = "last hit point lost", .boss_offset = 0, .player_hp = 1, .hp_after = 0,
       .pushed = 0, .guard_after = 1, .screen_after = Screen::Defeat},
      {.name = "Double Trouble's enemy bonus takes 2", .boss_offset = 0,
       .cards = {Card::DoubleTrouble}, .hp_after = 1, .pushed = 0, .guard_after = 1},
      {.name = "Eye for an Eye takes 7", .boss_offset = 0, .player_hp = 9,
       .cards = {Card::EyeForAnEye}, .hp_after = 2, .pushed = 0, .guard_after = 1},
  };
  for (const ContactCase& c : cases) {
    SCOPED_TRACE(c.name);
    GameState state;
    for (Card card : c.cards) pick(state, card);
    state.planet_turn = c.planet_turn;
    const float top = kPlayerScreenAngle - c.planet_turn;
    state.boss_angle = wrap_angle(top + c.boss_offset);
    state.boss_present = c.boss_present;
    for (float offset : c.clone_offsets) {
      state.clones.push_back(BossClone{wrap_angle(top + offset), 0, true});
    }
    state.player_height = c.height;
    state.player_guard_time = c.player_guard;
    state.modifier_stack.shield_blocks = c.shield_blocks;
    state.modifier_stack.shield_time = c.shield_time;
    state.player_hp = c.player_hp;
    const GameState before = state;
    const GameEvents events = step(state, FrameInput{}, 0.0f);

    EXPECT_EQ(state.player_hp, c.hp_after);
    EXPECT_EQ(events.player_hit, c.hp_after < c.player_hp);
    EXPECT_EQ(events.shield_blocked, c.blocks_after < c.shield_blocks);
    EXPECT_FALSE(events.vampire_healed);
    EXPECT_FLOAT_EQ(state.player_guard_time, c.guard_after);
    EXPECT_EQ(state.screen, c.screen_after);
    EXPECT_EQ(state.modifier_stack.shield_blocks, c.blocks_after);
    const float boss_push = c.pushed == 0 ? kContactPush : 0.0f;
    EXPECT_NEAR(state.boss_angle, wrap_angle(before.boss_angle + boss_push), 1e-5f);
    for (size_t i = 0; i < state.clones.size(); ++i) {
      const float push = c.pushed == static_cast<int>(i) + 1 ? kContactPush : 0.0f;
      EXPECT_NEAR(state.clones[i].angle, wrap_angle(before.clones[i].angle + push), 1e-5f);
    }
  }
}

TEST(FightContact, KnockOutOverridesAWinInTheSameFrame) {
  for (std::uint64_t stage : {1u, 5u}) {
    SCOPED_TRACE(stage);
    GameState state;
    state.stage = stage;
    state.modifier_stack.fight.clone_active = true;
    state.boss_hp = 1;
    state.boss_angle = kPi;  // under pad 0's strike
    state.clones = {BossClone{kPlayerScreenAngle, 0, true}};
    state.player_hp = 1;
    state.launch_pads[0] = LaunchPad{0, kWindUpTime, LaunchPhase::WindUp};
    step(state, FrameInput{}, 0.0f);
    EXPECT_EQ(state.boss_hp, 0);
    EXPECT_EQ(state.player_hp, 0);
    EXPECT_EQ(state.screen, Screen::Defeat);
  }
}

TEST(FightContact, VampireStrikesBackAtTheBossEvenWhenACloneTouches) {
  GameState state;
  pick(state, Card::Vampire);
  state.boss_angle = 1.0f;
  state.clones = {BossClone{kPlayerScreenAngle, 0, true}};
  const GameEvents events = step(state, FrameInput{}, 0.0f);
  EXPECT_TRUE(events.player_hit);
  EXPECT_TRUE(events.boss_hurt);
  EXPECT_FALSE(events.vampire_healed);  // Vampire alone strikes back but heals nothing
  EXPECT_EQ(state.player_hp, 2);
  EXPECT_EQ(state.boss_hp, 2);
  EXPECT_FLOAT_EQ(state.boss_flash_time, 0.24f);
  EXPECT_EQ(state.boss_guard_time, 0.0f);  // retaliation gives no guard
  EXPECT_EQ(state.boss_speed, 0.86f);      // and no speed
  EXPECT_TRUE(state.clones[0].active);     // clones are never hit back

  // With Blood Magic the strike back heals a hit point.
  GameState healed;
  pick(healed, Card::Vampire);
  pick(healed, Card::BloodMagic);
  healed.boss_angle = kPlayerScreenAngle;
  EXPECT_TRUE(step(healed, FrameInput{}, 0.0f).vampire_healed);
  EXPECT_EQ(healed.player_hp, 3);

  // The retaliation can win the fight.
  GameState last;
  pick(last, Card::Vampire);
  last.boss_hp = 1;
  last.boss_angle = kPlayerScreenAngle;
  EXPECT_TRUE(step(last, FrameInput{}, 0.0f).boss_knocked_out);
  EXPECT_EQ(last.boss_hp, 0);
  EXPECT_FALSE(last.boss_present);
  EXPECT_EQ(last.screen, Screen::StageClear);
}

// ---------------------------------------------------------------------------------------------
// Whole frames

TEST(FightFrame, TimersCountDownToZeroAndAnglesStayWrapped) {
  GameState state;
  state.boss_guard_time = 0.03f;
  state.boss_flash_time = 0.2f;
  state.player_guard_time = 0.04f;
  state.boss_angle = kTau - 0.01f;
  step(state, holding({Key::D}), 0.05f);
  EXPECT_EQ(state.boss_guard_time, 0.0f);
  EXPECT_FLOAT_EQ(state.boss_flash_time, 0.15f);
  EXPECT_EQ(state.player_guard_time, 0.0f);
  EXPECT_NEAR(state.boss_angle, 0.86f * 0.05f - 0.01f, 1e-5f);
  EXPECT_NEAR(state.planet_turn, kTau - 1.65f * 0.05f, 1e-5f);
}

TEST(FightFrame, PlanetClockRunsAtFifteenHundredthsAndPinsTheRotation) {
  GameState state;
  planet::Planet planet;
  planet.rotation = 1.5f;
  state.planet = planet;
  run_frames(state, FrameInput{}, 0.05f, 20);
  EXPECT_NEAR(state.planet_time, 0.15f, 1e-5f);
  EXPECT_EQ(state.planet->time, state.planet_time);
  EXPECT_EQ(state.planet->rotation, 0.0f);
}

}  // namespace
}  // namespace ventora
