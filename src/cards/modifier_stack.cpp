#include "cards/modifier_stack.h"

#include <algorithm>
#include <cmath>

#include "cards/effect_rules.h"
#include "cards/saturating.h"

namespace ventora {

namespace {

using K = ModifierKind;

void clamp_hp(const ModifierStack& stack, std::int32_t& hp) {
  hp = std::max(0, std::min(hp, hp_cap(stack)));
}

// The stats from the modifiers in list order. One that waits for its fight adds nothing; one whose
// won fights have run out adds only with `with_run_out` and when its kind's row keeps it.
StatBlock fold_stats(const ModifierStack& stack, bool with_run_out) {
  StatBlock s;
  for (const Modifier& m : stack.modifiers) {
    const EffectRule& rule = effect_rule(m.kind);
    if (m.pending || !rule.fold) continue;
    if (m.fights_left == 0 && !(with_run_out && rule.folded_after_its_fights)) continue;
    rule.fold(s, m);
  }
  return s;
}

// Takes the last pick off the list with every modifier of its card; hit points set at that pick
// stay, but are clamped to the cap without it.
void apply_reverse(ModifierStack& stack, std::int32_t& hp) {
  if (!stack.picks.empty()) {
    const Card undone = stack.picks.back();
    stack.picks.pop_back();
    std::erase_if(stack.modifiers, [undone](const Modifier& m) { return m.card == undone; });
    clamp_hp(stack, hp);
  }
  stack.picks.push_back(Card::Reverse);
}

Modifier make_modifier(Card card, const Effect& effect) {
  Modifier m{card, effect.kind, effect.value, effect.extra};
  if (effect.fights > 0) m.fights_left = effect.fights;
  m.seconds_left = effect.seconds;
  m.pending = waits_for_fight(effect.kind);
  return m;
}

// A card picked again renews the run-out count of its earlier picks' modifiers: the count is set,
// not added.
void renew_fights(ModifierStack& stack, const Modifier& added) {
  if (added.fights_left == kWholeRun) return;
  for (Modifier& m : stack.modifiers)
    if (m.card == added.card && m.kind == added.kind) m.fights_left = added.fights_left;
}

void count_down(float& timer, float dt) {
  if (timer > 0) timer = std::max(timer - dt, 0.0f);
}

// One jump-or-run factor boosted by whole steps of the other multiplier above 100 %.
float boosted(float own, float other, float boost, float step) {
  const float steps = std::floor(std::max(other - 1.0f, 0.0f) / step);
  return own * (1.0f + boost * static_cast<float>(saturate_i32(steps)));
}

}  // namespace

StatBlock aggregate_stats(const ModifierStack& stack) { return fold_stats(stack, true); }

std::int32_t hp_cap(const ModifierStack& stack) {
  const StatBlock stats = aggregate_stats(stack);
  return std::min(stats.hp_limit, stats.max_hp);
}

void apply_pick(ModifierStack& stack, Card card, std::int32_t& hp) {
  const std::span<const Effect> effects = card_effects(card);
  if (!effects.empty() && effects.front().kind == K::Reverse) {
    apply_reverse(stack, hp);
    return;
  }
  stack.picks.push_back(card);
  for (const Effect& effect : effects) {
    const Modifier m = make_modifier(card, effect);
    renew_fights(stack, m);
    stack.modifiers.push_back(m);
    if (const auto on_pick = effect_rule(m.kind).on_pick) on_pick(stack, m, hp);
  }
  clamp_hp(stack, hp);
}

void start_fight_effects(ModifierStack& stack, std::int32_t& hp, std::int32_t& boss_hp) {
  stack.fight = {};
  const bool regen_allowed = aggregate_stats(stack).regen_allowed;
  for (Modifier& m : stack.modifiers) {
    if (m.pending && effect_rule(m.kind).start(stack, m, regen_allowed, boss_hp)) {
      m.pending = false;
      m.seconds_left = 0;  // its timer now runs in the stack or in the fight
    }
  }
  clamp_hp(stack, hp);
  boss_hp = std::max(boss_hp, 0);
}

void fight_won(ModifierStack& stack) {
  for (Modifier& m : stack.modifiers)
    if (m.fights_left > 0) --m.fights_left;
  stack.fight = {};
}

void tick_cards(ModifierStack& stack, float dt, std::int32_t& hp) {
  for (Modifier& m : stack.modifiers)
    if (!m.pending) count_down(m.seconds_left, dt);
  count_down(stack.shield_time, dt);
  count_down(stack.fight.weaken_time, dt);
  if (stack.fight.confuse_active) stack.fight.confuse_clock += dt;
  if (stack.regen_time > 0 && stack.regen_period > 0 && aggregate_stats(stack).regen_allowed) {
    stack.regen_time -= dt;
    stack.regen_clock += dt;
    // Heals banked while at the cap are paid out as soon as there is room.
    while (stack.regen_clock >= stack.regen_period && hp < hp_cap(stack)) {
      stack.regen_clock -= stack.regen_period;
      hp = std::min(saturating_sum(std::int64_t{hp} + stack.regen_heal), hp_cap(stack));
    }
  }
}

std::int32_t damage_taken(const ModifierStack& stack) {
  // The aggregate keeps Double Trouble's bonus and Brawn Over Brains' scale for the rest of the
  // run; a hit counts them only while their won fights last.
  const StatBlock stats = fold_stats(stack, false);
  if (stats.eye_for_an_eye) return stats.eye_for_an_eye_damage;
  std::int64_t a = stats.enemy_damage_bonus;
  a += saturate_i32(std::round(static_cast<double>(stats.damage_taken_scale)));
  return std::max(saturating_sum(a), 1);
}

std::int32_t damage_dealt(const ModifierStack& stack) {
  const StatBlock stats = aggregate_stats(stack);
  if (stats.eye_for_an_eye) return stats.eye_for_an_eye_damage;
  if (stats.sacrifice_damage > 0) return stats.sacrifice_damage;
  const FightCardEffects& fight = stack.fight;
  const std::int64_t damage = std::int64_t{saturate_i32(std::ceil(stats.damage_scale))} +
                              stats.damage_bonus + fight.buff_bonus +
                              (fight.weaken_time > 0 ? fight.weaken_bonus : 0);
  return std::max(saturating_sum(damage), 1);
}

std::int32_t retaliation_damage(const ModifierStack& stack, std::int32_t taken) {
  const StatBlock stats = aggregate_stats(stack);
  if (!stats.vampire) return 0;
  std::int64_t damage = taken;
  if (stats.vampires_den)
    damage += std::int64_t{stats.den_retaliation} * count_picks(stack, Card::Vampire);
  return saturating_sum(damage);
}

void retaliation_heal(const ModifierStack& stack, std::int32_t& hp) {
  const StatBlock stats = aggregate_stats(stack);
  if (!stats.vampire) return;
  if (stats.blood_magic) blood_magic_hp_change(stack, -stats.blood_magic_heal, hp);
  const std::int32_t vampires = count_picks(stack, Card::Vampire);
  if (stats.vampires_den && vampires > 0)
    blood_magic_hp_change(stack, -saturating_sum(std::int64_t{stats.den_heal} * vampires), hp);
}

void blood_magic_hp_change(const ModifierStack& stack, std::int32_t delta, std::int32_t& hp) {
  if (!aggregate_stats(stack).blood_magic || delta == 0) return;
  const std::int64_t changed = std::int64_t{hp} - delta;
  if (delta < 0) {
    hp = static_cast<std::int32_t>(std::min<std::int64_t>(hp_cap(stack), changed));
  } else {
    hp = static_cast<std::int32_t>(std::max<std::int64_t>(changed, 0));
  }
}

float effective_run(const StatBlock& stats) {
  return stats.speed_and_height
             ? boosted(stats.run, stats.jump, stats.run_boost, stats.run_boost_step)
             : stats.run;
}

float effective_jump(const StatBlock& stats) {
  return stats.height_and_speed
             ? boosted(stats.jump, stats.run, stats.jump_boost, stats.jump_boost_step)
             : stats.jump;
}

float next_jump_factor(ModifierStack& stack) {
  const StatBlock stats = aggregate_stats(stack);
  if (!stats.tick_tock) return 1.0f;
  const float factor = stack.tick_tock_high ? stats.tick_tock_high : stats.tick_tock_low;
  stack.tick_tock_high = !stack.tick_tock_high;
  return factor;
}

bool controls_flipped(const ModifierStack& stack) {
  const FightCardEffects& fight = stack.fight;
  if (!fight.confuse_active) return false;
  const float period = std::floor(fight.confuse_clock / fight.confuse_period);
  // A clock past the 32-bit range reads as the largest count, which is odd.
  return saturate_i32(period) % 2 != 0;
}

std::int32_t count_picks(const ModifierStack& stack, Card card) {
  return static_cast<std::int32_t>(std::count(stack.picks.begin(), stack.picks.end(), card));
}

bool use_shield_block(ModifierStack& stack) {
  if (stack.shield_blocks <= 0 || stack.shield_time <= 0) return false;
  stack.shield_blocks -= 1;
  return true;
}

float seconds_left(const ModifierStack& stack, ModifierKind kind) {
  float longest = 0;
  for (const Modifier& m : stack.modifiers)
    if (m.kind == kind && !m.pending) longest = std::max(longest, m.seconds_left);
  return longest;
}

bool is_pending(const ModifierStack& stack, ModifierKind kind) {
  return std::any_of(stack.modifiers.begin(), stack.modifiers.end(),
                     [kind](const Modifier& m) { return m.kind == kind && m.pending; });
}

}  // namespace ventora
