#include "cards/modifier_stack.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <limits>
#include <string>
#include <vector>

namespace ventora {
namespace {

struct Picked {
  ModifierStack stack;
  std::int32_t hp = 3;
};

Picked pick_all(std::initializer_list<Card> cards, std::int32_t hp = 3) {
  Picked p{{}, hp};
  for (Card c : cards) apply_pick(p.stack, c, p.hp);
  return p;
}

TEST(CardCatalogue, TextsEffectsAndRarities) {
  EXPECT_EQ(card_name(Card::LongLifeUnlikely), "Long Life... Unlikely.");
  EXPECT_EQ(card_description(Card::BrawnOverBrains), "HP\xE2\x86\x92" "1, damage taken 200% (3 stages)");
  EXPECT_EQ(card_description(Card::Weaken), "next fight: damage dealt \xE2\x88\x92" "4 for 50s");
  EXPECT_EQ(card_description(Card::VampiresDen),
            "per Vampire collected: +3 retaliate, -1 recv (heal 1)");
  const auto dt = card_effects(Card::DoubleTrouble);
  ASSERT_EQ(dt.size(), 4u);
  EXPECT_EQ(dt[0].kind, ModifierKind::MaxHpAdd);
  EXPECT_EQ(dt[1].kind, ModifierKind::Heal);
  EXPECT_EQ(dt[2].kind, ModifierKind::RegenOff);
  EXPECT_EQ(dt[3].kind, ModifierKind::EnemyDamageBonus);
  EXPECT_EQ(static_cast<int>(ModifierKind::Sacrifice), 28);
  EXPECT_EQ(static_cast<int>(Card::Confuse), kCardCount - 1);
  EXPECT_EQ(rarity_name(Rarity::Epic), "Epic");
  EXPECT_EQ(rarity_color(Rarity::Uncommon), Color::rgba8(122, 216, 135));
}

// The rules read every size from the modifier, not from code: modifiers with sizes no card has
// give those sizes back.
TEST(ModifierStack, EffectSizesComeFromTheModifiers) {
  using K = ModifierKind;
  ModifierStack eye;
  eye.modifiers.push_back({Card::EyeForAnEye, K::EyeForAnEye, 9});
  EXPECT_EQ(damage_dealt(eye), 9);
  EXPECT_EQ(damage_taken(eye), 9);

  ModifierStack sacrifice;
  sacrifice.modifiers.push_back({Card::UltimateSacrifice, K::Sacrifice, 6, 0, kWholeRun, 1.0f});
  std::int32_t hp = 3;
  EXPECT_EQ(damage_dealt(sacrifice), 6);
  tick_cards(sacrifice, 1.0f, hp);
  EXPECT_EQ(damage_dealt(sacrifice), 1);

  ModifierStack tick;
  tick.modifiers.push_back({Card::TickTock, K::TickTock, 20, 150});
  EXPECT_FLOAT_EQ(next_jump_factor(tick), 0.2f);
  EXPECT_FLOAT_EQ(next_jump_factor(tick), 1.5f);

  // A cap of 2 for one won fight, then the plain maximum of 3.
  ModifierStack cap;
  cap.modifiers.push_back({Card::BrawnOverBrains, K::HpCap, 2, 0, 1});
  EXPECT_EQ(hp_cap(cap), 2);
  fight_won(cap);
  EXPECT_EQ(hp_cap(cap), 3);

  ModifierStack den;
  den.picks = {Card::Vampire};
  den.modifiers.push_back({Card::Vampire, K::Vampire, 0});
  den.modifiers.push_back({Card::VampiresDen, K::VampiresDen, 5, 0});
  EXPECT_EQ(retaliation_damage(den, 1), 6);

  ModifierStack boost;
  boost.modifiers.push_back({Card::Speedster, K::RunSpeed, 150});
  boost.modifiers.push_back({Card::HeightAndSpeed, K::HeightAndSpeed, 100, 25});
  EXPECT_FLOAT_EQ(effective_jump(aggregate_stats(boost)), 3.0f);  // two whole 25 % steps
}

// One row per pick sequence: the aggregate, the hit points after the picks and the damage rules.
struct AggregateCase {
  std::string label;
  std::vector<Card> picks;
  float run, jump, gravity;
  std::int32_t max_hp, cap, hp, taken, dealt;
  bool regen_allowed;
};

TEST(ModifierStack, AggregatesPickSequences) {
  using C = Card;
  const std::vector<AggregateCase> cases = {
      {"no cards", {}, 1, 1, 1, 3, 3, 3, 1, 1, true},
      {"double trouble at full hp", {C::DoubleTrouble}, 1, 1, 1, 4, 4, 4, 2, 1, false},
      {"brawn over brains", {C::BrawnOverBrains}, 1, 1, 1, 1, 1, 1, 2, 1, true},
      {"crushing weight", {C::CrushingWeight}, 0.05f, 0.05f, 6, 3, 3, 3, 1, 1, true},
      {"overwhelming odds", {C::OverwhelmingOdds}, 1.25f, 1.5f, 1, 3, 3, 3, 1, 2, true},
      {"slow but steady rounds damage up", {C::SlowButSteady}, 0.1f, 0.1f, 1, 3, 3, 3, 1, 2, true},
      {"speedster twice", {C::Speedster, C::Speedster}, 4, 0.33f * 0.33f, 1, 3, 3, 3, 1, 1, true},
      {"sacrifice", {C::UltimateSacrifice}, 1, 1, 1, 1, 1, 1, 1, 5, true},
      {"long life after sacrifice", {C::UltimateSacrifice, C::LongLifeUnlikely}, 1, 1, 1, 7, 7, 1,
       1, 5, true},
      {"sacrifice after long life", {C::LongLifeUnlikely, C::UltimateSacrifice}, 1, 1, 1, 1, 1, 1,
       1, 5, true},
      {"eye for an eye overrides everything",
       {C::OverwhelmingOdds, C::DoubleTrouble, C::UltimateSacrifice, C::EyeForAnEye}, 1.25f, 1.5f,
       1, 1, 1, 1, 7, 7, false},
      {"double trouble twice caps at seven",
       {C::LongLifeUnlikely, C::DoubleTrouble, C::DoubleTrouble}, 1, 1, 1, 7, 7, 3, 3, 1, false},
  };
  for (const AggregateCase& c : cases) {
    SCOPED_TRACE(c.label);
    Picked p{{}, 3};
    for (Card card : c.picks) apply_pick(p.stack, card, p.hp);
    const StatBlock s = aggregate_stats(p.stack);
    EXPECT_FLOAT_EQ(s.run, c.run);
    EXPECT_FLOAT_EQ(s.jump, c.jump);
    EXPECT_FLOAT_EQ(s.gravity, c.gravity);
    EXPECT_EQ(s.max_hp, c.max_hp);
    EXPECT_EQ(hp_cap(p.stack), c.cap);
    EXPECT_EQ(p.hp, c.hp);
    EXPECT_EQ(damage_taken(p.stack), c.taken);
    EXPECT_EQ(damage_dealt(p.stack), c.dealt);
    EXPECT_EQ(s.regen_allowed, c.regen_allowed);
    EXPECT_EQ(p.stack.picks, c.picks);
  }
}

// A hit counts the bonus for two won fights; the aggregate keeps it for the run.
TEST(ModifierStack, DoubleTroubleBonusLastsTwoWonFights) {
  Picked p = pick_all({Card::DoubleTrouble});
  std::vector<std::int32_t> taken, bonus;
  for (int fight = 0; fight < 4; ++fight) {
    taken.push_back(damage_taken(p.stack));
    bonus.push_back(aggregate_stats(p.stack).enemy_damage_bonus);
    fight_won(p.stack);
  }
  EXPECT_EQ(taken, (std::vector<std::int32_t>{2, 2, 1, 1}));
  EXPECT_EQ(bonus, (std::vector<std::int32_t>{1, 1, 1, 1}));
  EXPECT_EQ(aggregate_stats(p.stack).max_hp, 4);
  EXPECT_FALSE(aggregate_stats(p.stack).regen_allowed);
}

// A hit counts the doubling for three won fights; the aggregate keeps it for the run.
TEST(ModifierStack, BrawnOverBrainsDoublesForThreeStagesAndKeepsTheLimit) {
  Picked p = pick_all({Card::BrawnOverBrains}, 2);
  EXPECT_EQ(p.hp, 1);
  std::vector<std::int32_t> taken;
  std::vector<float> scale;
  for (int fight = 0; fight < 5; ++fight) {
    taken.push_back(damage_taken(p.stack));
    scale.push_back(aggregate_stats(p.stack).damage_taken_scale);
    fight_won(p.stack);
  }
  EXPECT_EQ(taken, (std::vector<std::int32_t>{2, 2, 2, 1, 1}));
  EXPECT_EQ(scale, (std::vector<float>{2, 2, 2, 2, 2}));
  EXPECT_EQ(hp_cap(p.stack), 1);
  apply_pick(p.stack, Card::LongLifeUnlikely, p.hp);
  EXPECT_EQ(hp_cap(p.stack), 7);
}

TEST(ModifierStack, ReverseUndoesOnlyTheLastPickedCard) {
  Picked first = pick_all({Card::Reverse});
  EXPECT_EQ(first.stack.picks, std::vector<Card>{Card::Reverse});
  EXPECT_TRUE(first.stack.modifiers.empty());
  EXPECT_EQ(first.hp, 3);

  // The second Reverse takes the first one off the list and undoes nothing more.
  Picked twice = pick_all({Card::BounceHouse, Card::Speedster, Card::Reverse, Card::Reverse});
  EXPECT_EQ(twice.stack.picks, (std::vector<Card>{Card::BounceHouse, Card::Reverse}));
  EXPECT_EQ(twice.stack.modifiers.size(), 2u);

  // Every Speedster modifier goes, but only the last Speedster pick leaves the list.
  Picked speed = pick_all({Card::BounceHouse, Card::Speedster, Card::Speedster, Card::Reverse});
  EXPECT_EQ(speed.stack.picks,
            (std::vector<Card>{Card::BounceHouse, Card::Speedster, Card::Reverse}));
  EXPECT_EQ(speed.stack.modifiers.size(), 2u);
  EXPECT_FLOAT_EQ(aggregate_stats(speed.stack).run, 0.25f);
  EXPECT_FLOAT_EQ(aggregate_stats(speed.stack).jump, 1.5f);

  // Hit points set at the pick stay; the counters and the sacrifice timer are undone.
  Picked brawn = pick_all({Card::BrawnOverBrains, Card::Reverse});
  EXPECT_EQ(brawn.hp, 1);
  EXPECT_EQ(damage_taken(brawn.stack), 1);  // the doubling went with the card
  EXPECT_EQ(hp_cap(brawn.stack), 3);
  Picked sacrifice = pick_all({Card::UltimateSacrifice, Card::Reverse});
  EXPECT_EQ(seconds_left(sacrifice.stack, ModifierKind::Sacrifice), 0);
  EXPECT_EQ(damage_dealt(sacrifice.stack), 1);

  // Removing Long Life lowers the cap again and clamps.
  Picked life_undone = pick_all({Card::DoubleTrouble, Card::LongLifeUnlikely});
  life_undone.hp = 7;
  apply_pick(life_undone.stack, Card::Reverse, life_undone.hp);
  EXPECT_EQ(hp_cap(life_undone.stack), 4);
  EXPECT_EQ(life_undone.hp, 4);
}

// Each row plays fights the way the game does: the cards of one entry are picked, the next fight
// is set up (the boss at 3 hit points first), and a won fight lies between two entries. The
// expectations are read after the last set-up, then after 49 s and 51 s of timers, then after
// winning that fight.
struct NextFightCase {
  std::string name;
  std::vector<std::vector<Card>> fights;
  std::int32_t boss_hp;
  float shield_time;
  std::int32_t shield_blocks, start_damage;
  bool clone_active;
  std::int32_t dealt, dealt_at_49s, dealt_at_51s, dealt_after_win;
};

TEST(ModifierStack, NextFightEffectsStartAtFightSetUp) {
  using C = Card;
  const std::vector<NextFightCase> cases = {
      {"Shield of Trust: an 8 s aura that blocks one hit", {{C::ShieldOfTrust}}, 3, 8, 1, 0, false,
       1, 1, 1, 1},
      {"Tit for Tat under a standing shield only prepares the start damage",
       {{C::ShieldOfTrust}, {C::TitForTat}}, 1, 8, 1, 2, false, 1, 1, 1, 1},
      {"Clone: the boss and one clone", {{C::Clone}}, 2, 0, 0, 0, true, 1, 1, 1, 1},
      {"Clone picked again: two clones", {{C::Clone}, {C::Clone}}, 3, 0, 0, 0, true, 1, 1, 1, 1},
      {"Buff: one more damage for one fight", {{C::Buff}}, 3, 0, 0, 0, false, 2, 2, 2, 1},
      {"Weaken: four less for 50 s, never below 1", {{C::OverwhelmingOdds, C::Weaken}}, 3, 0, 0, 0,
       false, 1, 1, 2, 2},
  };
  for (const NextFightCase& c : cases) {
    SCOPED_TRACE(c.name);
    Picked p;
    std::int32_t boss = 3;
    for (size_t i = 0; i < c.fights.size(); ++i) {
      if (i > 0) fight_won(p.stack);
      for (Card card : c.fights[i]) apply_pick(p.stack, card, p.hp);
      boss = 3;
      start_fight_effects(p.stack, p.hp, boss);
    }
    EXPECT_EQ(boss, c.boss_hp);
    EXPECT_FLOAT_EQ(p.stack.shield_time, c.shield_time);
    EXPECT_EQ(p.stack.shield_blocks, c.shield_blocks);
    EXPECT_EQ(p.stack.fight.start_damage, c.start_damage);
    EXPECT_EQ(p.stack.fight.clone_active, c.clone_active);
    for (ModifierKind kind : {ModifierKind::ShieldNextFight, ModifierKind::TitForTatNextFight,
                              ModifierKind::CloneNextFight, ModifierKind::BuffNextFight,
                              ModifierKind::WeakenNextFight})
      EXPECT_FALSE(is_pending(p.stack, kind)) << static_cast<int>(kind);
    EXPECT_EQ(damage_dealt(p.stack), c.dealt);
    tick_cards(p.stack, 49.0f, p.hp);
    EXPECT_EQ(damage_dealt(p.stack), c.dealt_at_49s);
    tick_cards(p.stack, 2.0f, p.hp);
    EXPECT_EQ(damage_dealt(p.stack), c.dealt_at_51s);
    fight_won(p.stack);
    EXPECT_EQ(damage_dealt(p.stack), c.dealt_after_win);
    EXPECT_FALSE(p.stack.fight.clone_active);
  }
}

TEST(ModifierStack, LightMagicWaitsWhileRegenerationIsOff) {
  Picked p = pick_all({Card::DoubleTrouble, Card::LightMagic});
  std::int32_t boss = 3;
  start_fight_effects(p.stack, p.hp, boss);
  EXPECT_TRUE(is_pending(p.stack, ModifierKind::RegenNextFight));
  EXPECT_EQ(p.stack.regen_time, 0.0f);

  // A second Double Trouble, reversed, takes every Double Trouble modifier with it.
  apply_pick(p.stack, Card::DoubleTrouble, p.hp);
  apply_pick(p.stack, Card::Reverse, p.hp);
  EXPECT_TRUE(aggregate_stats(p.stack).regen_allowed);
  start_fight_effects(p.stack, p.hp, boss);
  EXPECT_FALSE(is_pending(p.stack, ModifierKind::RegenNextFight));
  EXPECT_EQ(p.stack.regen_time, 50.0f);
}

TEST(ModifierStack, LightMagicBanksHealsWhileAtTheCap) {
  Picked p = pick_all({Card::LightMagic});
  std::int32_t boss = 3;
  start_fight_effects(p.stack, p.hp, boss);
  for (int i = 0; i < 30; ++i) tick_cards(p.stack, 1.0f, p.hp);
  EXPECT_EQ(p.hp, 3);
  EXPECT_FLOAT_EQ(p.stack.regen_clock, 30.0f);
  p.hp = 1;
  tick_cards(p.stack, 0.0f, p.hp);
  EXPECT_EQ(p.hp, 2);
  for (int i = 0; i < 25; ++i) tick_cards(p.stack, 1.0f, p.hp);
  EXPECT_EQ(p.hp, 3);
  // The window has closed: nothing more heals.
  p.hp = 1;
  for (int i = 0; i < 60; ++i) tick_cards(p.stack, 1.0f, p.hp);
  EXPECT_EQ(p.hp, 1);
}

TEST(ModifierStack, DamageTakenRoundsAndSaturates) {
  struct Case {
    std::vector<std::int32_t> scales;
    std::int32_t expected;
  };
  const std::vector<Case> cases = {
      {{250}, 3},                 // halves away from zero
      {{150}, 2},
      {{149}, 1},
      {{40}, 1},                  // never below 1
      {{1000000, 1000000, 1000000, 1000000, 1000000, 1000000}, std::numeric_limits<std::int32_t>::max()},
      {{0, 1000000, 1000000, 1000000, 1000000, 1000000, 1000000, 1000000}, 1},  // 0 × ∞ is NaN
  };
  for (const Case& c : cases) {
    ModifierStack stack;
    for (std::int32_t v : c.scales) stack.modifiers.push_back({Card::Buff, ModifierKind::DamageTakenScale, v});
    EXPECT_EQ(damage_taken(stack), c.expected) << c.scales.size() << " scales from " << c.scales[0];
  }
  // A saturated scale plus an enemy bonus stays at the top instead of wrapping.
  ModifierStack stack;
  for (int i = 0; i < 6; ++i)
    stack.modifiers.push_back({Card::Buff, ModifierKind::DamageTakenScale, 1000000});
  stack.modifiers.push_back({Card::Buff, ModifierKind::EnemyDamageBonus, 5});
  EXPECT_EQ(damage_taken(stack), std::numeric_limits<std::int32_t>::max());
}

TEST(ModifierStack, VampireRetaliatesAndBloodMagicHeals) {
  Picked plain = pick_all({Card::Vampire});
  EXPECT_EQ(retaliation_damage(plain.stack, 2), 2);
  plain.hp = 1;
  retaliation_heal(plain.stack, plain.hp);
  EXPECT_EQ(plain.hp, 1);  // healing needs Blood Magic

  Picked den = pick_all({Card::Vampire, Card::Vampire, Card::VampiresDen, Card::BloodMagic,
                         Card::LongLifeUnlikely});
  EXPECT_EQ(retaliation_damage(den.stack, 1), 7);
  den.hp = 2;
  retaliation_heal(den.stack, den.hp);
  EXPECT_EQ(den.hp, 5);  // 1 from Blood Magic, 2 from the Den's two Vampires
  den.hp = 6;
  retaliation_heal(den.stack, den.hp);
  EXPECT_EQ(den.hp, 7);

  Picked none = pick_all({Card::BloodMagic});
  EXPECT_EQ(retaliation_damage(none.stack, 3), 0);
  blood_magic_hp_change(none.stack, 5, none.hp);
  EXPECT_EQ(none.hp, 0);
}

TEST(ModifierStack, SpeedAndHeightBoostsByWholeSteps) {
  const StatBlock bounce = aggregate_stats(pick_all({Card::BounceHouse, Card::SpeedAndHeight}).stack);
  EXPECT_FLOAT_EQ(effective_run(bounce), 0.25f * 2.2f);
  EXPECT_FLOAT_EQ(effective_jump(bounce), 1.5f);
  const StatBlock speed = aggregate_stats(pick_all({Card::Speedster, Card::HeightAndSpeed}).stack);
  EXPECT_FLOAT_EQ(effective_jump(speed), 0.33f * 4.0f);
  EXPECT_FLOAT_EQ(effective_run(speed), 2.0f);
  const StatBlock slow = aggregate_stats(pick_all({Card::SlowButSteady, Card::HeightAndSpeed}).stack);
  EXPECT_FLOAT_EQ(effective_jump(slow), 0.1f);
}

TEST(ModifierStack, TickTockAlternatesAcrossFights) {
  ModifierStack stack;
  EXPECT_EQ(next_jump_factor(stack), 1.0f);
  std::int32_t hp = 3;
  apply_pick(stack, Card::TickTock, hp);
  EXPECT_EQ(next_jump_factor(stack), 0.1f);
  EXPECT_EQ(next_jump_factor(stack), 1.6f);
  fight_won(stack);
  EXPECT_EQ(next_jump_factor(stack), 0.1f);
}

TEST(ModifierStack, ConfuseFlipsEveryThreeSeconds) {
  Picked p = pick_all({Card::Confuse});
  std::int32_t boss = 3;
  start_fight_effects(p.stack, p.hp, boss);
  const std::vector<std::pair<float, bool>> table = {
      {0.0f, false}, {2.99f, false}, {3.0f, true}, {5.9f, true}, {6.0f, false}, {9.5f, true},
      {1e20f, true}};
  for (auto [clock, flipped] : table) {
    p.stack.fight.confuse_clock = clock;
    EXPECT_EQ(controls_flipped(p.stack), flipped) << clock;
  }
  fight_won(p.stack);
  p.stack.fight.confuse_clock = 4;
  EXPECT_FALSE(controls_flipped(p.stack));
}

TEST(ModifierStack, TimersStopAtZero) {
  Picked p = pick_all({Card::UltimateSacrifice});
  tick_cards(p.stack, 19.5f, p.hp);
  EXPECT_EQ(damage_dealt(p.stack), 5);
  tick_cards(p.stack, 1.0f, p.hp);
  EXPECT_EQ(seconds_left(p.stack, ModifierKind::Sacrifice), 0.0f);
  EXPECT_EQ(damage_dealt(p.stack), 1);
}

}  // namespace
}  // namespace ventora
