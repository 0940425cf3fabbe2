#include "cards/modifier_stack.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace ventora {

namespace {

using K = ModifierKind;

constexpr std::int32_t kHpCeiling = 7;
constexpr float kShieldTime = 8.0f;
constexpr float kRegenWindow = 50.0f;
constexpr float kRegenPeriod = 25.0f;
constexpr float kSacrificeTime = 20.0f;
constexpr float kWeakenTime = 50.0f;
constexpr float kConfusePeriod = 3.0f;

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

// The extra state a card keeps outside the modifier list, cleared when Reverse undoes it.
void undo_card_state(ModifierStack& stack, Card card) {
  switch (card) {
    case Card::DoubleTrouble:
      stack.double_trouble_fights = std::max(stack.double_trouble_fights - 2, 0);
      break;
    case Card::ShieldOfTrust: stack.pending_shield = false; break;
    case Card::BrawnOverBrains:
      stack.brawn_stages = std::max(stack.brawn_stages - 3, 0);
      break;
    case Card::UltimateSacrifice: stack.sacrifice_time = 0; break;
    case Card::LightMagic: stack.pending_regen = false; break;
    case Card::TitForTat: stack.pending_tit_for_tat = false; break;
    case Card::Clone: stack.pending_clone = false; break;
    case Card::Buff: stack.pending_buff = false; break;
    case Card::Weaken: stack.pending_weaken = false; break;
    case Card::Confuse: stack.pending_confuse = false; break;
    default: break;
  }
}

void apply_reverse(ModifierStack& stack, std::int32_t& hp) {
  if (!stack.picks.empty()) {
    const Card undone = stack.picks.back();
    stack.picks.pop_back();
    std::erase_if(stack.modifiers, [undone](const Modifier& m) { return m.card == undone; });
    undo_card_state(stack, undone);
    clamp_hp(stack, hp);
  }
  stack.picks.push_back(Card::Reverse);
}

// Acting on one effect right after it joined the list.
void apply_effect(ModifierStack& stack, Card card, Effect effect, std::int32_t& hp) {
  switch (effect.kind) {
    case K::DamageTakenScale:
      if (card == Card::BrawnOverBrains) stack.brawn_stages = 3;
      break;
    case K::EnemyDamageBonus:
      if (card == Card::DoubleTrouble) stack.double_trouble_fights = 2;
      break;
    case K::Heal:
      hp = saturating_sum(std::int64_t{hp} + effect.value);
      hp = std::min(hp, hp_cap(stack));
      break;
    case K::SetHp: hp = effect.value; break;
    case K::ShieldNextFight: stack.pending_shield = true; break;
    case K::RegenNextFight: stack.pending_regen = true; break;
    case K::TitForTatNextFight: stack.pending_tit_for_tat = true; break;
    case K::CloneNextFight: stack.pending_clone = true; break;
    case K::BuffNextFight: stack.pending_buff = true; break;
    case K::WeakenNextFight: stack.pending_weaken = true; break;
    case K::ConfuseNextFight: stack.pending_confuse = true; break;
    case K::Sacrifice: stack.sacrifice_time = kSacrificeTime; break;
    default: break;
  }
}

void count_down(float& timer, float dt) {
  if (timer > 0) timer = std::max(timer - dt, 0.0f);
}

// One jump-or-run factor boosted by whole 20 % steps of the other multiplier above 100 %.
float boosted(float own, float other) {
  const float steps = std::floor(std::max(other - 1.0f, 0.0f) / 0.2f);
  return own * (1.0f + 0.6f * static_cast<float>(saturate_i32(steps)));
}

}  // namespace

StatBlock aggregate_stats(const ModifierStack& stack) {
  StatBlock s;
  for (const Modifier& m : stack.modifiers) {
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
      case K::RegenOff: s.regen_allowed = false; break;
      case K::TickTock: s.tick_tock = true; break;
      case K::Vampire: s.vampire = true; break;
      case K::BloodMagic: s.blood_magic = true; break;
      case K::EyeForAnEye: s.eye_for_an_eye = true; break;
      case K::HeightAndSpeed: s.height_and_speed = true; break;
      case K::SpeedAndHeight: s.speed_and_height = true; break;
      case K::VampiresDen: s.vampires_den = true; break;
      default: break;
    }
  }
  return s;
}

std::int32_t hp_cap(const ModifierStack& stack) {
  const std::int32_t cap = stack.brawn_stages > 0 ? 1 : kHpCeiling;
  return std::min(cap, aggregate_stats(stack).max_hp);
}

void apply_pick(ModifierStack& stack, Card card, std::int32_t& hp) {
  if (card == Card::Reverse) {
    apply_reverse(stack, hp);
    return;
  }
  stack.picks.push_back(card);
  for (const Effect& effect : card_effects(card)) {
    stack.modifiers.push_back(Modifier{card, effect.kind, effect.value});
    apply_effect(stack, card, effect, hp);
  }
  clamp_hp(stack, hp);
}

void start_fight_effects(ModifierStack& stack, std::int32_t& hp, std::int32_t& boss_hp) {
  stack.buff_bonus = 0;
  stack.confuse_active = false;
  stack.clone_active = false;
  stack.weaken_time = 0;
  stack.confuse_clock = 0;
  if (stack.pending_shield) {
    stack.shield_time = kShieldTime;
    stack.shield_blocks = 1;
    stack.pending_shield = false;
  }
  if (stack.pending_regen && aggregate_stats(stack).regen_allowed) {
    stack.regen_time = kRegenWindow;
    stack.regen_clock = 0;
    stack.pending_regen = false;
  }
  if (stack.pending_clone) {
    boss_hp = std::max(count_picks(stack, Card::Clone), 1) + 1;
    stack.clone_active = true;
    stack.pending_clone = false;
  }
  if (stack.pending_buff) {
    stack.buff_bonus = 1;
    stack.pending_buff = false;
  }
  if (stack.pending_weaken) {
    stack.weaken_time = kWeakenTime;
    stack.pending_weaken = false;
  }
  if (stack.pending_confuse) {
    stack.confuse_clock = 0;
    stack.confuse_active = true;
    stack.pending_confuse = false;
  }
  if (stack.pending_tit_for_tat) {
    stack.start_damage = 2;
    boss_hp -= 2;
    stack.pending_tit_for_tat = false;
  }
  clamp_hp(stack, hp);
  boss_hp = std::max(boss_hp, 0);
}

void fight_won(ModifierStack& stack) {
  if (stack.double_trouble_fights > 0) --stack.double_trouble_fights;
  if (stack.brawn_stages > 0) --stack.brawn_stages;
  stack.buff_bonus = 0;
  stack.confuse_active = false;
  stack.clone_active = false;
  stack.weaken_time = 0;
  stack.confuse_clock = 0;
}

void tick_cards(ModifierStack& stack, float dt, std::int32_t& hp) {
  count_down(stack.sacrifice_time, dt);
  count_down(stack.shield_time, dt);
  count_down(stack.weaken_time, dt);
  if (stack.confuse_active) stack.confuse_clock += dt;
  if (stack.regen_time > 0 && aggregate_stats(stack).regen_allowed) {
    stack.regen_time -= dt;
    stack.regen_clock += dt;
    // Heals banked while at the cap are paid out as soon as there is room.
    while (stack.regen_clock >= kRegenPeriod && hp < hp_cap(stack)) {
      stack.regen_clock -= kRegenPeriod;
      hp += 1;
    }
  }
}

std::int32_t damage_taken(const ModifierStack& stack) {
  const StatBlock stats = aggregate_stats(stack);
  if (stats.eye_for_an_eye) return 7;
  std::int64_t a = stats.enemy_damage_bonus;
  float scale = stats.damage_taken_scale;
  if (stack.double_trouble_fights <= 0) {
    for (const Modifier& m : stack.modifiers)
      if (m.card == Card::DoubleTrouble && m.kind == K::EnemyDamageBonus && m.value > 0)
        a -= m.value;
  }
  if (stack.brawn_stages <= 0) {
    // Brawn Over Brains' doubling has run out; any other damage-taken scale still counts.
    scale = 1.0f;
    for (const Modifier& m : stack.modifiers)
      if (m.kind == K::DamageTakenScale && !(m.card == Card::BrawnOverBrains && m.value == 200))
        scale *= percent(m.value);
  }
  a += saturate_i32(std::round(static_cast<double>(scale)));
  return std::max(saturating_sum(a), 1);
}

std::int32_t damage_dealt(const ModifierStack& stack) {
  const StatBlock stats = aggregate_stats(stack);
  if (stats.eye_for_an_eye) return 7;
  if (stack.sacrifice_time > 0) return 5;
  const std::int64_t damage = std::int64_t{saturate_i32(std::ceil(stats.damage_scale))} +
                              stats.damage_bonus + stack.buff_bonus -
                              (stack.weaken_time > 0 ? 4 : 0);
  return std::max(saturating_sum(damage), 1);
}

std::int32_t retaliation_damage(const ModifierStack& stack, std::int32_t taken) {
  const StatBlock stats = aggregate_stats(stack);
  if (!stats.vampire) return 0;
  std::int64_t damage = taken;
  if (stats.vampires_den) damage += 3 * std::int64_t{count_picks(stack, Card::Vampire)};
  return saturating_sum(damage);
}

void retaliation_heal(const ModifierStack& stack, std::int32_t& hp) {
  const StatBlock stats = aggregate_stats(stack);
  if (!stats.vampire) return;
  if (stats.blood_magic) blood_magic_hp_change(stack, -1, hp);
  const std::int32_t vampires = count_picks(stack, Card::Vampire);
  if (stats.vampires_den && vampires > 0) blood_magic_hp_change(stack, -vampires, hp);
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
  return stats.speed_and_height ? boosted(stats.run, stats.jump) : stats.run;
}

float effective_jump(const StatBlock& stats) {
  return stats.height_and_speed ? boosted(stats.jump, stats.run) : stats.jump;
}

float next_jump_factor(ModifierStack& stack) {
  if (!aggregate_stats(stack).tick_tock) return 1.0f;
  const float factor = stack.tick_tock_high ? 1.6f : 0.1f;
  stack.tick_tock_high = !stack.tick_tock_high;
  return factor;
}

bool controls_flipped(const ModifierStack& stack) {
  if (!stack.confuse_active) return false;
  const float period = std::floor(stack.confuse_clock / kConfusePeriod);
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

}  // namespace ventora
