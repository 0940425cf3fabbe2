// The 24 cards, their effects written as modifier kinds with all their numbers, and the four
// rarities an offer can show.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "base/values.h"

namespace ventora {

enum class Card : std::uint8_t {
  DoubleTrouble, ShieldOfTrust, BrawnOverBrains, CrushingWeight, BounceHouse, OverwhelmingOdds,
  SlowButSteady, TickTock, Speedster, UltimateSacrifice, EyeForAnEye, Vampire, LightMagic,
  BloodMagic, HeightAndSpeed, SpeedAndHeight, VampiresDen, Reverse, LongLifeUnlikely, TitForTat,
  Clone, Buff, Weaken, Confuse,
};
constexpr int kCardCount = 24;

enum class Rarity : std::uint8_t { Common, Uncommon, Rare, Epic };

enum class ModifierKind : std::int32_t {
  RunSpeed, JumpHeight, Gravity, DamageScale, DamageBonus, DamageTakenScale, EnemyDamageBonus,
  MaxHpAdd, MaxHpLimit, MaxHpRaise, Heal, SetHp, RegenOff, TickTock, Vampire, BloodMagic,
  EyeForAnEye, HeightAndSpeed, SpeedAndHeight, VampiresDen, Reverse, ShieldNextFight,
  RegenNextFight, TitForTatNextFight, CloneNextFight, BuffNextFight, WeakenNextFight,
  ConfuseNextFight, Sacrifice, HpCap,
};
constexpr int kModifierKindCount = 30;
static_assert(static_cast<int>(ModifierKind::HpCap) + 1 == kModifierKindCount, "count every kind");

// One effect of a card. Every number a card's rules use is here; the rows in effect_rules.cpp say
// what `value` and `extra` mean for each kind.
struct Effect {
  ModifierKind kind;
  std::int32_t value = 0;   // percentages as whole numbers (200 is 200 %), hit points, damage
  std::int32_t extra = 0;   // a second number, for the few kinds that have one
  std::int32_t fights = 0;  // won fights the effect counts for; 0 for the rest of the run
  float seconds = 0;        // how long the timer it starts runs
};

std::string_view card_name(Card card);
std::string_view card_description(Card card);
std::span<const Effect> card_effects(Card card);
std::string_view rarity_name(Rarity rarity);
Color rarity_color(Rarity rarity);

}  // namespace ventora
