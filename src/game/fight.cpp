// The Fight screen, one frame at a time: running and jumping, the boss and its clones, the
// launch pads with their strikes, and contact with the player.
#include "game/fight.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "game/fight_rules.h"
#include "game/run.h"

namespace ventora {

float phase_length(LaunchPhase phase) {
  switch (phase) {
    case LaunchPhase::WindUp: return kWindUpTime;
    case LaunchPhase::Strike: return kStrikeTime;
    case LaunchPhase::Hold: return kHoldTime;
    case LaunchPhase::Recover: return kRecoverTime;
    case LaunchPhase::Idle: break;
  }
  return INFINITY;
}

float angular_distance(float a, float b) { return std::fabs(wrap_angle(a - b + kPi) - kPi); }

float strike_point(const LaunchPad& pad) { return wrap_angle(pad.angle + kPi); }

namespace {

// Who a strike or a contact picked: the boss, or the clone at an index of the list.
struct Target {
  bool is_boss = false;
  size_t clone = 0;
};

LaunchPhase next_phase(LaunchPhase phase) {
  switch (phase) {
    case LaunchPhase::WindUp: return LaunchPhase::Strike;
    case LaunchPhase::Strike: return LaunchPhase::Hold;
    case LaunchPhase::Hold: return LaunchPhase::Recover;
    case LaunchPhase::Recover: return LaunchPhase::Idle;
    case LaunchPhase::Idle: break;
  }
  return LaunchPhase::Idle;
}

// The i-th prime (counting from 0): 2, 3, 5, 7, 11, …
float nth_prime(size_t i) {
  std::uint64_t candidate = 1;
  for (size_t found = 0; found <= i;) {
    ++candidate;
    if (is_prime(candidate)) ++found;
  }
  return static_cast<float>(candidate);
}

// The run direction from the keys (right wins the facing when both are held), flipped while
// confused.
float run_direction(GameState& state, const FrameInput& input) {
  float d = 0;
  if (input.is_held(Key::Left) || input.is_held(Key::A)) {
    d = -1;
    state.facing = Facing::Left;
  }
  if (input.is_held(Key::Right) || input.is_held(Key::D)) {
    d += 1;
    state.facing = Facing::Right;
  }
  if (controls_flipped(state.modifier_stack)) d = -d;
  return d;
}

// Running turns the planet under the player: running right turns it backwards, so the ground
// slides left on screen.
void turn_planet(GameState& state, float d, float dt) {
  const float r = effective_run(aggregate_stats(state.modifier_stack));
  state.planet_turn = wrap_angle(state.planet_turn + d * -kRunTurnRate * r * dt);
}

// The boss always walks forwards; clones walk backwards while their reverse time lasts.
void move_boss_and_clones(GameState& state, float dt) {
  state.boss_angle = wrap_angle(state.boss_angle + state.boss_speed * dt);
  for (BossClone& clone : state.clones) {
    if (!clone.active) continue;
    const float speed = clone.reverse_time > 0 ? -state.boss_speed : state.boss_speed;
    clone.angle = wrap_angle(clone.angle + speed * dt);
    clone.reverse_time = std::max(clone.reverse_time - dt, 0.0f);
  }
}

// The planet's animation clock; the planet never spins by itself during a fight.
void advance_planet_time(GameState& state, float dt) {
  state.planet_time += 0.15f * dt;
  if (state.planet) {
    state.planet->time = state.planet_time;
    state.planet->rotation = 0;
  }
}

// The boss's guard and flash and the player's guard run down.
void count_down_timers(GameState& state, float dt) {
  state.boss_guard_time = std::max(state.boss_guard_time - dt, 0.0f);
  state.boss_flash_time = std::max(state.boss_flash_time - dt, 0.0f);
  state.player_guard_time = std::max(state.player_guard_time - dt, 0.0f);
}

// Rising and falling: the height moves with the speed from before this frame's gravity.
void vertical_motion(GameState& state, float dt, GameEvents& events) {
  if (!(state.player_height > 0 || state.player_vspeed > 0)) return;
  const float gravity = aggregate_stats(state.modifier_stack).gravity;
  state.player_height += state.player_vspeed * dt;
  state.player_vspeed += -kGravity * gravity * dt;
  if (state.player_height <= 0) {
    state.player_height = 0;
    state.player_vspeed = 0;
    events.landed = true;
  }
}

// A jump, only from the ground. The take-off speed grows with sqrt(gravity), so the apex height
// depends on the jump multiplier alone.
void jump_input(GameState& state, const FrameInput& input, GameEvents& events) {
  const bool pressed =
      input.is_pressed(Key::Up) || input.is_pressed(Key::W) || input.is_pressed(Key::Space);
  if (!pressed || state.player_height > 0) return;
  state.jump_count += 1;
  const StatBlock stats = aggregate_stats(state.modifier_stack);
  // Tick, Tock alternates a low and a high jump; the next one is high when the flag is set.
  events.jump = !stats.tick_tock                         ? JumpKind::Plain
                : state.modifier_stack.tick_tock_high ? JumpKind::TockHigh
                                                      : JumpKind::TickLow;
  const float j = effective_jump(stats) * next_jump_factor(state.modifier_stack);
  state.player_vspeed = std::sqrt(j * stats.gravity) * kJumpSpeed;
}

// Firing: the facing picks the pad; a busy pad ignores the press.
void fire_input(GameState& state, const FrameInput& input, GameEvents& events) {
  if (!input.is_pressed(Key::J) && !input.is_pressed(Key::Enter)) return;
  LaunchPad& pad = state.launch_pads[facing_pad(state.facing)];
  if (pad.phase != LaunchPhase::Idle) return;
  pad.phase = LaunchPhase::WindUp;
  pad.phase_time = 0;
  events.pad_wound_up = true;
}

// A pad's cycle: each pad moves at most one phase per frame (the excess time is dropped) and
// strikes as it leaves its wind-up.
std::optional<float> advance_pad(LaunchPad& pad, float dt) {
  pad.phase_time += dt;
  if (pad.phase_time < phase_length(pad.phase)) return std::nullopt;
  const LaunchPhase left = pad.phase;
  pad.phase = next_phase(pad.phase);
  pad.phase_time = 0;
  if (left == LaunchPhase::WindUp) return strike_point(pad);
  return std::nullopt;
}

// The boss (when present) or an active clone whose angular distance `within` accepts, the closest
// winning; ties keep the earlier candidate, the boss before any clone.
template <class Distance>
std::optional<Target> closest_target(const GameState& state, Distance distance,
                                     bool (*within)(float)) {
  std::optional<Target> target;
  float best = 0;
  if (state.boss_present) {
    const float d = distance(state.boss_angle);
    if (within(d)) {
      target = Target{true, 0};
      best = d;
    }
  }
  for (size_t i = 0; i < state.clones.size(); ++i) {
    const BossClone& clone = state.clones[i];
    if (!clone.active) continue;
    const float d = distance(clone.angle);
    if (within(d) && (!target || d < best)) {
      target = Target{false, i};
      best = d;
    }
  }
  return target;
}

// Who a strike at planet angle `point` hits.
std::optional<Target> strike_target(const GameState& state, float point) {
  return closest_target(
      state, [point](float angle) { return angular_distance(angle, point); }, within_strike_reach);
}

// Damage to the hit points the boss and its clones share. A hit on the boss itself takes it off
// the planet at once in a clone fight, leaving the clones to fight on; an empty pool takes it off
// whoever was hit, so a won fight has no boss left to touch the player and be won again.
void hurt_boss_pool(GameState& state, std::int32_t amount, bool boss_itself, GameEvents& events) {
  const bool standing = state.boss_hp > 0;
  state.boss_hp -= amount;
  events.boss_hurt = true;
  if (standing && state.boss_hp <= 0) events.boss_knocked_out = true;
  if (state.boss_hp <= 0 || (boss_itself && state.modifier_stack.fight.clone_active)) {
    state.boss_present = false;
  }
  state.boss_flash_time = kBossFlashTime;
}

// One strike landing: the closest target in reach takes the damage unless the boss is guarded.
StrikeResult resolve_strike(GameState& state, float point, std::int32_t damage,
                            GameEvents& events) {
  const std::optional<Target> target = strike_target(state, point);
  if (!target) return StrikeResult::Nothing;
  if (state.boss_guard_time > 0) return StrikeResult::Guarded;
  hurt_boss_pool(state, damage, target->is_boss, events);
  if (!target->is_boss) state.clones[target->clone].active = false;
  state.boss_guard_time = kBossGuardTime;
  state.boss_speed += kBossSpeedGain;
  if (state.boss_hp <= 0) win_fight(state);
  return target->is_boss ? StrikeResult::Boss : StrikeResult::Clone;
}

// The pads' cycles and their strikes: damage is read once for the frame, then pad 0's strike
// lands before pad 1's.
void advance_pads_and_strike(GameState& state, float dt, GameEvents& events) {
  const std::int32_t damage = damage_dealt(state.modifier_stack);
  std::optional<float> strikes[2];
  for (size_t i = 0; i < state.launch_pads.size(); ++i) {
    strikes[i] = advance_pad(state.launch_pads[i], dt);
  }
  for (size_t i = 0; i < state.launch_pads.size(); ++i) {
    if (strikes[i]) events.strikes[i] = resolve_strike(state, *strikes[i], damage, events);
  }
}

// Who touches the player, measured on screen where the player stands.
std::optional<Target> contact_target(const GameState& state) {
  const auto distance = [&state](float angle) {
    return angular_distance(wrap_angle(angle + state.planet_turn), kPlayerScreenAngle);
  };
  return closest_target(state, distance, within_contact_reach);
}

// Vampire: a hurt player strikes back at the boss (never at a clone) and may heal.
void retaliate(GameState& state, std::int32_t taken, GameEvents& events) {
  const std::int32_t r = retaliation_damage(state.modifier_stack, taken);
  if (r > 0 && state.boss_present) {
    hurt_boss_pool(state, r, true, events);
    if (state.boss_hp <= 0) win_fight(state);
  }
  const std::int32_t hp = state.player_hp;
  retaliation_heal(state.modifier_stack, state.player_hp);
  if (state.player_hp > hp) events.vampire_healed = true;
}

// An unguarded touch: a shield block absorbs it, otherwise the player takes `c`.
void take_contact(GameState& state, std::int32_t c, GameEvents& events) {
  ModifierStack& stack = state.modifier_stack;
  state.player_guard_time = kPlayerGuardTime;
  if (use_shield_block(stack)) {
    events.shield_blocked = true;
    return;
  }
  state.player_hp -= c;
  events.player_hit = true;
  if (aggregate_stats(stack).vampire) retaliate(state, c, events);
  // A knock-out wins over a fight won earlier in this frame.
  if (state.player_hp <= 0) lose_fight(state);
}

// Contact: the touching boss or clone hurts the player unless the player is still guarded, and
// is pushed on either way so it cannot stand on the player.
void contact(GameState& state, GameEvents& events) {
  if (state.player_height > kContactHeight) return;
  const std::optional<Target> toucher = contact_target(state);
  if (!toucher) return;
  const std::int32_t c = damage_taken(state.modifier_stack);
  if (state.player_guard_time <= 0) take_contact(state, c, events);
  float& angle = toucher->is_boss ? state.boss_angle : state.clones[toucher->clone].angle;
  angle = wrap_angle(angle + kContactPush);
}

}  // namespace

void fight_step(GameState& state, const FrameInput& input, float dt, GameEvents& events) {
  const float d = run_direction(state, input);
  turn_planet(state, d, dt);
  move_boss_and_clones(state, dt);
  advance_planet_time(state, dt);
  count_down_timers(state, dt);
  vertical_motion(state, dt, events);
  jump_input(state, input, events);
  fire_input(state, input, events);
  advance_pads_and_strike(state, dt, events);
  contact(state, events);
}

void reset_fight(GameState& state) {
  state.facing = Facing::Left;
  state.launch_pads = kStartLaunchPads;
  state.boss_angle = kBossStartAngle;
  state.boss_speed = kBossStartSpeed;
  state.boss_present = true;
  state.clones.clear();
  state.boss_hp = kBossStartHp;
  state.boss_guard_time = 0;
  state.boss_flash_time = 0;
  state.player_guard_time = 0;
  state.player_height = 0;
  state.player_vspeed = 0;
  state.planet_turn = 0;
}

void place_clones(GameState& state) {
  if (!state.modifier_stack.fight.clone_active) return;
  const size_t n = static_cast<size_t>(std::max(count_picks(state.modifier_stack, Card::Clone), 1));
  state.boss_present = true;
  state.clones.clear();
  for (size_t i = 0; i < n; ++i) {
    state.clones.push_back(BossClone{state.boss_angle, nth_prime(i), true});
  }
}

}  // namespace ventora
