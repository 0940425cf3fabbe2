#include "cards/effect_rules.h"

#include <algorithm>

#include "cards/saturating.h"

namespace ventora {

namespace {

using K = ModifierKind;

constexpr std::int32_t kHpCeiling = 7;

float percent(std::int32_t v) { return static_cast<float>(v) / 100.0f; }

void add_to(std::int32_t& sum, std::int32_t v) { sum = saturating_sum(std::int64_t{sum} + v); }

// One row per kind, in ModifierKind order; the comment says what the modifier's numbers mean
// (`value`, `extra`, and `seconds_left` at the pick). Kinds without a comment take no number.
constexpr EffectRule kRules[] = {
    // Run speed, jump height, gravity, damage dealt and damage taken: value % multiplied in.
    {.kind = K::RunSpeed, .fold = [](StatBlock& s, const Modifier& m) { s.run *= percent(m.value); }},
    {.kind = K::JumpHeight,
     .fold = [](StatBlock& s, const Modifier& m) { s.jump *= percent(m.value); }},
    {.kind = K::Gravity,
     .fold = [](StatBlock& s, const Modifier& m) { s.gravity *= percent(m.value); }},
    {.kind = K::DamageScale,
     .fold = [](StatBlock& s, const Modifier& m) { s.damage_scale *= percent(m.value); }},
    // Damage dealt: value added.
    {.kind = K::DamageBonus,
     .fold = [](StatBlock& s, const Modifier& m) { add_to(s.damage_bonus, m.value); }},
    {.kind = K::DamageTakenScale,
     .fold = [](StatBlock& s, const Modifier& m) { s.damage_taken_scale *= percent(m.value); },
     .folded_after_its_fights = true},
    // Damage taken: value added.
    {.kind = K::EnemyDamageBonus,
     .fold = [](StatBlock& s, const Modifier& m) { add_to(s.enemy_damage_bonus, m.value); },
     .folded_after_its_fights = true},
    // The maximum hit points: value added, never above the ceiling.
    {.kind = K::MaxHpAdd,
     .fold =
         [](StatBlock& s, const Modifier& m) {
           add_to(s.max_hp, m.value);
           s.max_hp = std::min(s.max_hp, kHpCeiling);
         }},
    // The maximum hit points: lowered to value at most.
    {.kind = K::MaxHpLimit,
     .fold = [](StatBlock& s, const Modifier& m) { s.max_hp = std::min(s.max_hp, m.value); }},
    // The maximum hit points: raised to value at least, never above the ceiling.
    {.kind = K::MaxHpRaise,
     .fold =
         [](StatBlock& s, const Modifier& m) {
           s.max_hp = std::min(std::max(s.max_hp, m.value), kHpCeiling);
         }},
    // Hit points: value healed, up to the cap that the list now gives.
    {.kind = K::Heal,
     .on_pick =
         [](const ModifierStack& stack, const Modifier& m, std::int32_t& hp) {
           add_to(hp, m.value);
           hp = std::min(hp, hp_cap(stack));
         }},
    // Hit points: set to value.
    {.kind = K::SetHp,
     .on_pick = [](const ModifierStack&, const Modifier& m, std::int32_t& hp) { hp = m.value; }},
    {.kind = K::RegenOff, .fold = [](StatBlock& s, const Modifier&) { s.regen_allowed = false; }},
    // Jump height value % on the low jump, extra % on the high one.
    {.kind = K::TickTock,
     .fold =
         [](StatBlock& s, const Modifier& m) {
           s.tick_tock = true;
           s.tick_tock_low = percent(m.value);
           s.tick_tock_high = percent(m.extra);
         }},
    {.kind = K::Vampire, .fold = [](StatBlock& s, const Modifier&) { s.vampire = true; }},
    // Hit points healed per Vampire proc: value.
    {.kind = K::BloodMagic,
     .fold =
         [](StatBlock& s, const Modifier& m) {
           s.blood_magic = true;
           s.blood_magic_heal = m.value;
         }},
    // Both sides deal value.
    {.kind = K::EyeForAnEye,
     .fold =
         [](StatBlock& s, const Modifier& m) {
           s.eye_for_an_eye = true;
           s.eye_for_an_eye_damage = m.value;
         }},
    // Jump height +value % for each whole extra % of the run multiplier above 100 %.
    {.kind = K::HeightAndSpeed,
     .fold =
         [](StatBlock& s, const Modifier& m) {
           s.height_and_speed = true;
           s.jump_boost = percent(m.value);
           s.jump_boost_step = percent(m.extra);
         }},
    // Run speed +value % for each whole extra % of the jump multiplier above 100 %.
    {.kind = K::SpeedAndHeight,
     .fold =
         [](StatBlock& s, const Modifier& m) {
           s.speed_and_height = true;
           s.run_boost = percent(m.value);
           s.run_boost_step = percent(m.extra);
         }},
    // Per Vampire collected: value more retaliation and extra hit points healed.
    {.kind = K::VampiresDen,
     .fold =
         [](StatBlock& s, const Modifier& m) {
           s.vampires_den = true;
           s.den_retaliation = m.value;
           s.den_heal = m.extra;
         }},
    // Marks the Reverse card; the pick itself undoes the last card.
    {.kind = K::Reverse},
    // An aura of `seconds` that blocks value hits.
    {.kind = K::ShieldNextFight,
     .start =
         [](ModifierStack& stack, const Modifier& m, bool, std::int32_t&) {
           stack.shield_time = m.seconds_left;
           stack.shield_blocks = m.value;
           return true;
         }},
    // Value hit points every extra seconds, for `seconds`; waits while regeneration is off.
    {.kind = K::RegenNextFight,
     .start =
         [](ModifierStack& stack, const Modifier& m, bool regen_allowed, std::int32_t&) {
           if (!regen_allowed) return false;
           stack.regen_time = m.seconds_left;
           stack.regen_clock = 0;
           stack.regen_period = static_cast<float>(m.extra);
           stack.regen_heal = m.value;
           return true;
         }},
    // Value damage to each side at the fight's start.
    {.kind = K::TitForTatNextFight,
     .start =
         [](ModifierStack& stack, const Modifier& m, bool, std::int32_t& boss_hp) {
           stack.fight.start_damage = m.value;
           boss_hp -= m.value;
           return true;
         }},
    // Value clones per Clone picked; the boss and each clone count one hit point of the shared
    // pool.
    {.kind = K::CloneNextFight,
     .start =
         [](ModifierStack& stack, const Modifier& m, bool, std::int32_t& boss_hp) {
           const std::int64_t clones = std::int64_t{count_picks(stack, m.card)} * m.value;
           boss_hp = saturating_sum(std::max<std::int64_t>(clones, 1) + 1);
           stack.fight.clone_active = true;
           return true;
         }},
    // Value added to damage dealt for the fight.
    {.kind = K::BuffNextFight,
     .start =
         [](ModifierStack& stack, const Modifier& m, bool, std::int32_t&) {
           stack.fight.buff_bonus = m.value;
           return true;
         }},
    // Value added to damage dealt for `seconds`.
    {.kind = K::WeakenNextFight,
     .start =
         [](ModifierStack& stack, const Modifier& m, bool, std::int32_t&) {
           stack.fight.weaken_time = m.seconds_left;
           stack.fight.weaken_bonus = m.value;
           return true;
         }},
    // Controls flip every value seconds.
    {.kind = K::ConfuseNextFight,
     .start =
         [](ModifierStack& stack, const Modifier& m, bool, std::int32_t&) {
           stack.fight.confuse_clock = 0;
           stack.fight.confuse_period = static_cast<float>(m.value);
           stack.fight.confuse_active = true;
           return true;
         }},
    // A strike deals value while the timer of `seconds` from the pick runs.
    {.kind = K::Sacrifice,
     .fold =
         [](StatBlock& s, const Modifier& m) {
           if (m.seconds_left > 0) s.sacrifice_damage = m.value;
         }},
    // Hit points held at value at most while the modifier's fights last.
    {.kind = K::HpCap,
     .fold = [](StatBlock& s, const Modifier& m) { s.hp_limit = std::min(s.hp_limit, m.value); }},
};

constexpr bool rows_follow_the_kinds() {
  for (int i = 0; i < kModifierKindCount; ++i)
    if (static_cast<int>(kRules[i].kind) != i) return false;
  return true;
}
static_assert(std::size(kRules) == kModifierKindCount, "one row for every ModifierKind");
static_assert(rows_follow_the_kinds(), "the rows are in ModifierKind order");

}  // namespace

const EffectRule& effect_rule(ModifierKind kind) { return kRules[static_cast<int>(kind)]; }

}  // namespace ventora
