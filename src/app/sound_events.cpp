#include "app/sound_events.h"

#include "game/countdown.h"
#include "layout/frame_layout.h"
#include "layout/hud_scale.h"
#include "layout/overlay_geometry.h"

namespace ventora {

namespace {

int hovered_card(const GameState& state, const FrameInput& input) {
  if (state.screen != Screen::CardChoice) return -1;
  const auto layout = frame_layout_for(state.render_settings, input.screen_width, input.screen_height);
  const HudScale scale = hud_scale(layout, input.screen_width, input.screen_height);
  for (int i = 0; i < 3; ++i) {
    if (rect_contains(card_box(scale, i), input.mouse)) return i;
  }
  return -1;
}

// What the strikes of a fight frame met. A frame's strikes sound as one.
std::optional<SoundEffect> strike(const SoundFacts& before, const SoundFacts& after) {
  bool struck = false;
  for (std::size_t pad = 0; pad < before.pads.size(); ++pad) {
    struck = struck || (before.pads[pad] == LaunchPhase::WindUp && after.pads[pad] != LaunchPhase::WindUp);
  }
  if (!struck) return std::nullopt;
  // Only a damaging strike speeds the boss up; one that takes a clone takes it off the planet. A
  // strike that the boss's guard shrugs off sounds like one on nothing: nothing happened.
  if (after.active_clones < before.active_clones) return SoundEffect::StrikeClone;
  if (after.boss_speed > before.boss_speed) return SoundEffect::StrikeBoss;
  return SoundEffect::StrikeMiss;
}

}  // namespace

SoundFacts sound_facts(const GameState& state, const FrameInput& input) {
  SoundFacts f;
  f.screen = state.screen;
  f.jump_count = state.jump_count;
  f.airborne = state.player_height > 0 || state.player_vspeed > 0;
  f.player_height = state.player_height;
  f.player_hp = state.player_hp;
  f.player_guard_time = state.player_guard_time;
  f.hit_cost = damage_taken(state.modifier_stack);
  f.boss_hp = state.boss_hp;
  f.boss_speed = state.boss_speed;
  f.pads = {state.launch_pads[0].phase, state.launch_pads[1].phase};
  for (const BossClone& clone : state.clones) f.active_clones += clone.active ? 1 : 0;
  f.shield_blocks = state.modifier_stack.shield_blocks;
  f.tick_tock_high = state.modifier_stack.tick_tock_high;
  f.confuse_active = state.modifier_stack.fight.confuse_active;
  f.controls_flipped = controls_flipped(state.modifier_stack);
  f.countdown_number = countdown_number(state.countdown);
  if (!state.modifier_stack.picks.empty()) f.last_pick = state.modifier_stack.picks.back();
  f.hovered_card = hovered_card(state, input);
  return f;
}

SoundEffects sound_events(const SoundFacts& before, const SoundFacts& after, const FrameInput& input) {
  SoundEffects e;
  if (input.is_pressed(Key::R)) return e;
  const auto add = [&e](SoundEffect effect) { e.set(index_of(effect)); };
  // The fight step ran this frame only if the frame began in a fight.
  const bool fought = before.screen == Screen::Fight;
  const bool jumped = after.jump_count > before.jump_count;
  // The card choice is left only by a pick.
  const bool picked = before.screen == Screen::CardChoice && after.screen != Screen::CardChoice;

  if (jumped)
    add(after.tick_tock_high != before.tick_tock_high
            ? (before.tick_tock_high ? SoundEffect::Tock : SoundEffect::Tick)
            : SoundEffect::Jump);
  if (fought && before.airborne && after.player_height <= 0) add(SoundEffect::Land);
  for (std::size_t pad = 0; pad < before.pads.size(); ++pad) {
    if (before.pads[pad] == LaunchPhase::Idle && after.pads[pad] == LaunchPhase::WindUp)
      add(SoundEffect::PadWindUp);
  }
  if (fought) {
    if (const auto met = strike(before, after)) add(*met);
    // A struck clone takes its damage from the boss's hit points, but it is the clone that goes.
    if (after.active_clones < before.active_clones) {
      add(SoundEffect::CloneVanish);
    } else if (after.boss_hp < before.boss_hp) {
      add(SoundEffect::BossHit);
    }
    if (before.boss_hp > 0 && after.boss_hp <= 0) add(SoundEffect::BossKnockedOut);
  }

  // A contact that was not shrugged off sets the player's guard; a shield block spends a block.
  const bool blocked = after.shield_blocks < before.shield_blocks;
  const bool touched = fought && after.player_guard_time > before.player_guard_time;
  if (blocked) add(SoundEffect::ShieldBlock);
  if (touched && !blocked) {
    add(SoundEffect::PlayerHit);
    // The hit cost less than a hit costs: Vampire's retaliation healed some of it back.
    if (after.player_hp > before.player_hp - after.hit_cost) add(SoundEffect::VampireHeal);
  }
  // Tit for Tat's damage is dealt the moment its card is picked, as its fight is set up.
  if (picked && after.last_pick == Card::TitForTat && after.player_hp < before.player_hp)
    add(SoundEffect::PlayerHit);

  if (before.screen == Screen::Countdown && after.screen == Screen::Fight && after.active_clones > 0) {
    add(SoundEffect::ClonesAppear);
  }
  if (before.confuse_active && after.confuse_active && before.controls_flipped != after.controls_flipped) {
    add(after.controls_flipped ? SoundEffect::ConfuseFlip : SoundEffect::ConfuseUnflip);
  }

  if (before.screen == Screen::CardChoice && after.screen == Screen::CardChoice && after.hovered_card >= 0 &&
      after.hovered_card != before.hovered_card) {
    add(SoundEffect::CardHover);
  }
  if (picked) add(SoundEffect::CardPick);
  if (after.screen == Screen::Countdown &&
      (before.screen != Screen::Countdown || before.countdown_number != after.countdown_number)) {
    add(after.countdown_number > 0 ? SoundEffect::CountdownTick : SoundEffect::CountdownGo);
  }
  if (after.screen == Screen::StageClear && before.screen != Screen::StageClear) add(SoundEffect::StageClear);
  if (after.screen == Screen::Victory && before.screen != Screen::Victory) add(SoundEffect::Victory);
  return e;
}

}  // namespace ventora
