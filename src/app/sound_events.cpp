#include "app/sound_events.h"

#include <algorithm>

namespace ventora {

namespace {

bool struck(const GameEvents& e, StrikeResult result) {
  return std::any_of(e.strikes.begin(), e.strikes.end(),
                     [result](const std::optional<StrikeResult>& s) { return s == result; });
}

bool any_strike(const GameEvents& e) {
  return std::any_of(e.strikes.begin(), e.strikes.end(),
                     [](const std::optional<StrikeResult>& s) { return s.has_value(); });
}

bool entered(const GameEvents& e, Screen screen) {
  return e.screen_change && e.screen_change->to == screen;
}

struct Cue {
  SoundEffect effect;
  bool (*heard)(const GameEvents&);
};

// One row per effect: the events that make it.
constexpr Cue kCues[] = {
    {SoundEffect::Jump, [](const GameEvents& e) { return e.jump == JumpKind::Plain; }},
    {SoundEffect::Tick, [](const GameEvents& e) { return e.jump == JumpKind::TickLow; }},
    {SoundEffect::Tock, [](const GameEvents& e) { return e.jump == JumpKind::TockHigh; }},
    {SoundEffect::Land, [](const GameEvents& e) { return e.landed; }},
    {SoundEffect::PadWindUp, [](const GameEvents& e) { return e.pad_wound_up; }},
    // A frame's strikes sound as one: the one that took a clone, else the one that hurt the boss,
    // else a strike on nothing (the boss's guard shrugging one off sounds the same: nothing
    // happened).
    {SoundEffect::StrikeClone, [](const GameEvents& e) { return struck(e, StrikeResult::Clone); }},
    {SoundEffect::StrikeBoss,
     [](const GameEvents& e) {
       return struck(e, StrikeResult::Boss) && !struck(e, StrikeResult::Clone);
     }},
    {SoundEffect::StrikeMiss,
     [](const GameEvents& e) {
       return any_strike(e) && !struck(e, StrikeResult::Boss) && !struck(e, StrikeResult::Clone);
     }},
    // A struck clone takes its damage from the boss's hit points, but it is the clone that goes.
    {SoundEffect::CloneVanish, [](const GameEvents& e) { return struck(e, StrikeResult::Clone); }},
    {SoundEffect::BossHit,
     [](const GameEvents& e) { return e.boss_hurt && !struck(e, StrikeResult::Clone); }},
    {SoundEffect::BossKnockedOut, [](const GameEvents& e) { return e.boss_knocked_out; }},
    {SoundEffect::PlayerHit, [](const GameEvents& e) { return e.player_hit; }},
    {SoundEffect::ShieldBlock, [](const GameEvents& e) { return e.shield_blocked; }},
    {SoundEffect::VampireHeal, [](const GameEvents& e) { return e.vampire_healed; }},
    {SoundEffect::ClonesAppear, [](const GameEvents& e) { return e.clones_appeared; }},
    {SoundEffect::ConfuseFlip, [](const GameEvents& e) { return e.controls_flipped == true; }},
    {SoundEffect::ConfuseUnflip, [](const GameEvents& e) { return e.controls_flipped == false; }},
    {SoundEffect::CardPick, [](const GameEvents& e) { return e.card_picked.has_value(); }},
    {SoundEffect::CountdownTick,
     [](const GameEvents& e) { return e.countdown_beat.value_or(0) > 0; }},
    {SoundEffect::CountdownGo, [](const GameEvents& e) { return e.countdown_beat == 0; }},
    {SoundEffect::StageClear, [](const GameEvents& e) { return entered(e, Screen::StageClear); }},
    {SoundEffect::Victory, [](const GameEvents& e) { return entered(e, Screen::Victory); }},
};

}  // namespace

SoundEffects sound_effects(const GameEvents& events) {
  SoundEffects effects;
  if (events.restarted) return effects;
  for (const Cue& cue : kCues) {
    if (cue.heard(events)) effects.set(index_of(cue.effect));
  }
  return effects;
}

bool card_hover_sounds(const GameEvents& events, std::optional<int> hovered_before,
                       std::optional<int> hovered) {
  return !events.restarted && !events.screen_change && hovered && hovered != hovered_before;
}

DefeatCueChange defeat_cue_change(const GameEvents& events) {
  if (!events.screen_change) return DefeatCueChange::None;
  if (events.screen_change->to == Screen::Defeat) return DefeatCueChange::Start;
  if (events.screen_change->from == Screen::Defeat) return DefeatCueChange::Release;
  return DefeatCueChange::None;
}

}  // namespace ventora
