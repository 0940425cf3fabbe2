#include "cards/modifier_stack.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace ventora {

namespace {

using K = ModifierKind;

constexpr std::int32_t kHpCeiling = 7;

// A float turned into a 32-bit count: out-of-range values saturate, not-a-number is 0.
std::int32_t saturate_i32(double v) {
  if (std::isnan(v)) return 0;
  if (v >= static_cast<double>(std::numeric_limits<std::int32_t>::max()))
    return std::numeric_limits<std::int32_t>::max();
  if (v <= static_cast<double>(std::numeric_limits<std::int32_t>::min()))
    return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(v);
}

// Sums that may leave 32 bits stay at the nearest end of the range.
std::int32_t saturating_sum(std::int64_t v) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(
      v, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

float percent(std::int32_t v) { return static_cast<float>(v) / 100.0f; }

void clamp_hp(const ModifierStack& stack, std::int32_t& hp) {
  hp = std::max(0, std::min(hp, hp_cap(stack)));
}

bool is_next_fight_kind(ModifierKind kind) {
  switch (kind) {
    case K::ShieldNextFight: case K::RegenNextFight: case K::TitForTatNextFight:
    case K::CloneNextFight: case K::BuffNextFight: case K::WeakenNextFight:
    case K::ConfuseNextFight:
      return true;
    default: return false;
  }
}

// A modifier counts towards the stats unless it waits for its fight or its fights have run out.
bool in_force(const Modifier& m) { return !m.pending && m.fights_left != 0; }

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
  m.pending = is_next_fight_kind(effect.kind);
  return m;
}

// A card picked again renews the run-out count of its earlier picks' modifiers: the count is set,
// not added.
void renew_fights(ModifierStack& stack, const Modifier& added) {
  if (added.fights_left == kWholeRun) return;
  for (Modifier& m : stack.modifiers)
    if (m.card == added.card && m.kind == added.kind) m.fights_left = added.fights_left;
}

// Acting on one effect right after it joined the list.
void apply_effect(ModifierStack& stack, const Modifier& m, std::int32_t& hp) {
  switch (m.kind) {
    case K::Heal:
      hp = saturating_sum(std::int64_t{hp} + m.value);
      hp = std::min(hp, hp_cap(stack));
      break;
    case K::SetHp: hp = m.value; break;
    default: break;
  }
}

// Starts one waiting next-fight effect (its timer length is in `seconds_left`). False when it
// has to wait for a later fight.
bool start_effect(ModifierStack& stack, Modifier& m, bool regen_allowed, std::int32_t& boss_hp) {
  FightCardEffects& fight = stack.fight;
  switch (m.kind) {
    case K::ShieldNextFight:
      stack.shield_time = m.seconds_left;
      stack.shield_blocks = m.value;
      break;
    case K::RegenNextFight:
      if (!regen_allowed) return false;
      stack.regen_time = m.seconds_left;
      stack.regen_clock = 0;
      stack.regen_period = static_cast<float>(m.extra);
      stack.regen_heal = m.value;
      break;
    case K::CloneNextFight: {
      // The boss and each clone count one hit point of the shared pool.
      const std::int64_t clones = std::int64_t{count_picks(stack, m.card)} * m.value;
      boss_hp = saturating_sum(std::max<std::int64_t>(clones, 1) + 1);
      fight.clone_active = true;
      break;
    }
    case K::BuffNextFight: fight.buff_bonus = m.value; break;
    case K::WeakenNextFight:
      fight.weaken_time = m.seconds_left;
      fight.weaken_bonus = m.value;
      break;
    case K::ConfuseNextFight:
      fight.confuse_clock = 0;
      fight.confuse_period = static_cast<float>(m.value);
      fight.confuse_active = true;
      break;
    case K::TitForTatNextFight:
      fight.start_damage = m.value;
      boss_hp -= m.value;
      break;
    default: break;
  }
  m.seconds_left = 0;
  return true;
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

StatBlock aggregate_stats(const ModifierStack& stack) {
  StatBlock s;
  for (const Modifier& m : stack.modifiers) {
    if (!in_force(m)) continue;
    switch (m.kind) {
      case K::RunSpeed: s.run *= percent(m.value); break;
      case K::JumpHeight: s.jump *= percent(m.value); break;
      case K::Gravity: s.gravity *= percent(m.value); break;
      case K::DamageScale: s.damage_scale *= percent(m.value); break;
      case K::DamageTakenScale: s.damage_taken_scale *= percent(m.value); break;
      case K::DamageBonus: s.damage_bonus = saturating_sum(std::int64_t{s.damage_bonus} + m.value); break;
      case K::EnemyDamageBonus:
        s.enemy_damage_bonus = saturating_sum(std::int64_t{s.enemy_damage_bonus} + m.value);
        break;
      case K::MaxHpAdd:
        s.max_hp = std::min(saturating_sum(std::int64_t{s.max_hp} + m.value), kHpCeiling);
        break;
      case K::MaxHpLimit: s.max_hp = std::min(s.max_hp, m.value); break;
      case K::MaxHpRaise: s.max_hp = std::min(std::max(s.max_hp, m.value), kHpCeiling); break;
      case K::HpCap: s.hp_limit = std::min(s.hp_limit, m.value); break;
      case K::RegenOff: s.regen_allowed = false; break;
      case K::TickTock:
        s.tick_tock = true;
        s.tick_tock_low = percent(m.value);
        s.tick_tock_high = percent(m.extra);
        break;
      case K::Vampire: s.vampire = true; break;
      case K::BloodMagic:
        s.blood_magic = true;
        s.blood_magic_heal = m.value;
        break;
      case K::EyeForAnEye:
        s.eye_for_an_eye = true;
        s.eye_for_an_eye_damage = m.value;
        break;
      case K::HeightAndSpeed:
        s.height_and_speed = true;
        s.jump_boost = percent(m.value);
        s.jump_boost_step = percent(m.extra);
        break;
      case K::SpeedAndHeight:
        s.speed_and_height = true;
        s.run_boost = percent(m.value);
        s.run_boost_step = percent(m.extra);
        break;
      case K::VampiresDen:
        s.vampires_den = true;
        s.den_retaliation = m.value;
        s.den_heal = m.extra;
        break;
      case K::Sacrifice:
        if (m.seconds_left > 0) s.sacrifice_damage = m.value;
        break;
      default: break;
    }
  }
  return s;
}

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
    apply_effect(stack, m, hp);
  }
  clamp_hp(stack, hp);
}

void start_fight_effects(ModifierStack& stack, std::int32_t& hp, std::int32_t& boss_hp) {
  stack.fight = {};
  const bool regen_allowed = aggregate_stats(stack).regen_allowed;
  for (Modifier& m : stack.modifiers) {
    if (m.pending && start_effect(stack, m, regen_allowed, boss_hp)) m.pending = false;
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
  const StatBlock stats = aggregate_stats(stack);
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
