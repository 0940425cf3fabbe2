#include "cards/catalogue.h"

#include <vector>

namespace ventora {

namespace {

using K = ModifierKind;

struct CardEntry {
  std::string_view name;
  std::string_view description;
  std::vector<Effect> effects;  // applied in this order at pick time
};

// The card list, in id order. Texts are UTF-8 ("→" U+2192, Weaken's "−" U+2212). What the
// numbers of each kind mean is written beside its rule in effect_rules.cpp.
const CardEntry kCards[kCardCount] = {
    {"Double Trouble", "+1 max HP now, regen off, enemy +1 dmg (2 fights)",
     {{K::MaxHpAdd, 1},
      {K::Heal, 1},
      {K::RegenOff},
      {.kind = K::EnemyDamageBonus, .value = 1, .fights = 2}}},
    {"Shield of Trust", "Next fight: 8s aura, block 1 hit",
     {{.kind = K::ShieldNextFight, .value = 1, .seconds = 8}}},
    {"Brawn Over Brains", "HP\u21921, damage taken 200% (3 stages)",
     {{K::MaxHpLimit, 1},
      {K::SetHp, 1},
      {.kind = K::DamageTakenScale, .value = 200, .fights = 3},
      {.kind = K::HpCap, .value = 1, .fights = 3}}},
    {"Crushing Weight", "gravity 600%, run speed 5%, jump height 5%",
     {{K::Gravity, 600}, {K::RunSpeed, 5}, {K::JumpHeight, 5}}},
    {"Bounce House", "jump height 150%, run speed 25%", {{K::JumpHeight, 150}, {K::RunSpeed, 25}}},
    {"Overwhelming Odds", "run speed 125%, jump height 150%, damage dealt +1",
     {{K::RunSpeed, 125}, {K::JumpHeight, 150}, {K::DamageBonus, 1}}},
    {"Slow but Steady", "run speed 10%, jump height 10%, damage dealt 110%",
     {{K::RunSpeed, 10}, {K::JumpHeight, 10}, {K::DamageScale, 110}}},
    {"Tick, Tock", "jumps alternate jump height 10% / 160%", {{K::TickTock, 10, 160}}},
    {"Speedster", "run speed 200%, jump height 33%", {{K::RunSpeed, 200}, {K::JumpHeight, 33}}},
    {"Ultimate Sacrifice", "HP\u21921, deal 5 dmg for 20s",
     {{K::MaxHpLimit, 1}, {K::SetHp, 1}, {.kind = K::Sacrifice, .value = 5, .seconds = 20}}},
    {"Eye for an Eye", "Both sides deal 7 (overrides other damage)", {{K::EyeForAnEye, 7}}},
    {"Vampire", "On hit taken: boss takes same damage", {{K::Vampire}}},
    {"Light Magic", "Next fight: +1 HP every 25s for 50s",
     {{.kind = K::RegenNextFight, .value = 1, .extra = 25, .seconds = 50}}},
    {"Blood Magic", "Vampire procs heal you 1 HP", {{K::BloodMagic, 1}}},
    {"Height and Speed", "per 20% run over base: jump height +60%", {{K::HeightAndSpeed, 60, 20}}},
    {"Speed and Height", "per 20% jump over base: run speed +60%", {{K::SpeedAndHeight, 60, 20}}},
    {"Vampire's Den", "per Vampire collected: +3 retaliate, -1 recv (heal 1)",
     {{K::VampiresDen, 3, 1}}},
    {"Reverse", "undo the last picked card's effects", {{K::Reverse}}},
    {"Long Life... Unlikely.", "max HP\u21927, current HP\u21921",
     {{K::MaxHpRaise, 7}, {K::SetHp, 1}}},
    {"Tit for Tat", "next fight start: 2 dmg per enemy (Shield blocks yours)",
     {{K::TitForTatNextFight, 2}}},
    {"Clone", "+1 enemy next fight; clone reverses for a prime # of s", {{K::CloneNextFight, 1}}},
    {"Buff", "next fight: damage dealt +1", {{K::BuffNextFight, 1}}},
    {"Weaken", "next fight: damage dealt \u22124 for 50s",
     {{.kind = K::WeakenNextFight, .value = -4, .seconds = 50}}},
    {"Confuse", "next fight: controls flip every 3s", {{K::ConfuseNextFight, 3}}},
};

struct RarityEntry {
  std::string_view name;
  Color color;
};

constexpr RarityEntry kRarities[] = {
    {"Common", Color::rgba8(168, 172, 182)},
    {"Uncommon", Color::rgba8(122, 216, 135)},
    {"Rare", Color::rgba8(82, 170, 255)},
    {"Epic", Color::rgba8(215, 92, 255)},
};

const CardEntry& entry(Card card) { return kCards[static_cast<size_t>(card)]; }

}  // namespace

std::string_view card_name(Card card) { return entry(card).name; }
std::string_view card_description(Card card) { return entry(card).description; }
std::span<const Effect> card_effects(Card card) { return entry(card).effects; }
std::string_view rarity_name(Rarity rarity) { return kRarities[static_cast<size_t>(rarity)].name; }
Color rarity_color(Rarity rarity) { return kRarities[static_cast<size_t>(rarity)].color; }

}  // namespace ventora
