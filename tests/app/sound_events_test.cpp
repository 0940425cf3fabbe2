// The sounds a frame makes, from what its rules did: one row per event, each from the smallest
// set of events that makes it, and a whole run played by the bot through the real game.
#include "app/sound_events.h"

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <map>
#include <optional>
#include <string>

#include "game/run.h"
#include "tests/support/play_frame.h"
#include "tests/support/run_bot.h"

namespace ventora {
namespace {

using E = SoundEffect;

std::string names(const SoundEffects& effects) {
  std::string out;
  for (std::size_t i = 0; i < kSoundEffectCount; ++i) {
    if (effects.test(i)) out += (out.empty() ? "" : ", ") + std::string(kSoundEffects[i].name);
  }
  return "{" + out + "}";
}

SoundEffects set_of(std::initializer_list<SoundEffect> effects) {
  SoundEffects set;
  for (const SoundEffect e : effects) set.set(index_of(e));
  return set;
}

struct Row {
  const char* what;
  std::function<void(GameEvents&)> events;  // from none
  std::initializer_list<SoundEffect> expected;
  // The card box under the pointer after the frame before and after this one, while the card
  // choice shows.
  std::optional<int> hovered_before = std::nullopt;
  std::optional<int> hovered = std::nullopt;
};

void nothing(GameEvents&) {}

void changed(GameEvents& e, Screen from, Screen to) { e.screen_change = ScreenChange{from, to}; }

// A card taken on the card choice, and the count-in that follows it.
void picked(GameEvents& e, Card card) {
  e.card_picked = card;
  e.countdown_beat = 3;
  changed(e, Screen::CardChoice, Screen::Countdown);
}

void boss_struck(GameEvents& e) {
  e.strikes[0] = StrikeResult::Boss;
  e.boss_hurt = true;
}

TEST(SoundEvents, EachEffectFromTheEventsThatMakeIt) {
  const Row rows[] = {
      {"nothing happens", nothing, {}},
      {"a jump", [](GameEvents& e) { e.jump = JumpKind::Plain; }, {E::Jump}},
      {"the low jump of Tick, Tock", [](GameEvents& e) { e.jump = JumpKind::TickLow; }, {E::Tick}},
      {"the high jump of Tick, Tock", [](GameEvents& e) { e.jump = JumpKind::TockHigh; },
       {E::Tock}},
      {"a landing", [](GameEvents& e) { e.landed = true; }, {E::Land}},
      {"a landing and the next jump in one frame",
       [](GameEvents& e) {
         e.landed = true;
         e.jump = JumpKind::Plain;
       },
       {E::Land, E::Jump}},
      {"a pad winds up", [](GameEvents& e) { e.pad_wound_up = true; }, {E::PadWindUp}},
      {"a strike on nothing", [](GameEvents& e) { e.strikes[0] = StrikeResult::Nothing; },
       {E::StrikeMiss}},
      {"a strike the boss's guard shrugs off",
       [](GameEvents& e) { e.strikes[1] = StrikeResult::Guarded; }, {E::StrikeMiss}},
      {"a strike on the boss", boss_struck, {E::StrikeBoss, E::BossHit}},
      {"a strike that knocks the boss out",
       [](GameEvents& e) {
         boss_struck(e);
         e.boss_knocked_out = true;
         changed(e, Screen::Fight, Screen::StageClear);
       },
       {E::StrikeBoss, E::BossHit, E::BossKnockedOut, E::StageClear}},
      {"the strike that wins the last stage",
       [](GameEvents& e) {
         boss_struck(e);
         e.boss_knocked_out = true;
         changed(e, Screen::Fight, Screen::Victory);
       },
       {E::StrikeBoss, E::BossHit, E::BossKnockedOut, E::Victory}},
      {"a strike on a clone",
       [](GameEvents& e) {
         e.strikes[0] = StrikeResult::Clone;
         e.boss_hurt = true;
       },
       {E::StrikeClone, E::CloneVanish}},
      {"two strikes in a frame sound as one",
       [](GameEvents& e) {
         e.strikes = {StrikeResult::Clone, StrikeResult::Guarded};
         e.boss_hurt = true;
       },
       {E::StrikeClone, E::CloneVanish}},
      {"a hit on the player", [](GameEvents& e) { e.player_hit = true; }, {E::PlayerHit}},
      {"a hit the shield blocks", [](GameEvents& e) { e.shield_blocked = true; },
       {E::ShieldBlock}},
      {"a hit that Vampire pays back and heals",
       [](GameEvents& e) {
         e.player_hit = true;
         e.boss_hurt = true;
         e.vampire_healed = true;
       },
       {E::PlayerHit, E::VampireHeal, E::BossHit}},
      {"Tit for Tat's damage as its card is picked",
       [](GameEvents& e) {
         picked(e, Card::TitForTat);
         e.player_hit = true;
       },
       {E::CardPick, E::PlayerHit, E::CountdownTick}},
      {"Tit for Tat's damage taken by a shield",
       [](GameEvents& e) {
         picked(e, Card::TitForTat);
         e.shield_blocked = true;
       },
       {E::CardPick, E::ShieldBlock, E::CountdownTick}},
      {"Tit for Tat's damage knocks the player out",
       [](GameEvents& e) {
         e.card_picked = Card::TitForTat;
         e.player_hit = true;
         changed(e, Screen::CardChoice, Screen::Defeat);
       },
       {E::CardPick, E::PlayerHit}},
      {"a card that sets hit points to 1 is no hit",
       [](GameEvents& e) { picked(e, Card::BrawnOverBrains); }, {E::CardPick, E::CountdownTick}},
      {"the clones come on when the fight starts",
       [](GameEvents& e) {
         changed(e, Screen::Countdown, Screen::Fight);
         e.clones_appeared = true;
       },
       {E::ClonesAppear}},
      {"a fight without clones starts silently",
       [](GameEvents& e) { changed(e, Screen::Countdown, Screen::Fight); }, {}},
      {"Confuse flips the controls", [](GameEvents& e) { e.controls_flipped = true; },
       {E::ConfuseFlip}},
      {"Confuse flips them back", [](GameEvents& e) { e.controls_flipped = false; },
       {E::ConfuseUnflip}},
      {"the pointer comes onto a card", nothing, {E::CardHover}, std::nullopt, 1},
      {"the pointer moves to the next card", nothing, {E::CardHover}, 0, 1},
      {"the pointer moves within a card", nothing, {}, 2, 2},
      {"the pointer leaves the cards", nothing, {}, 2, std::nullopt},
      {"the card choice opens under the pointer",
       [](GameEvents& e) { changed(e, Screen::StageClear, Screen::CardChoice); }, {},
       std::nullopt, 1},
      {"a card is picked", [](GameEvents& e) { picked(e, Card::Buff); },
       {E::CardPick, E::CountdownTick}},
      {"the count-in reaches 2", [](GameEvents& e) { e.countdown_beat = 2; }, {E::CountdownTick}},
      {"the count-in says GO!", [](GameEvents& e) { e.countdown_beat = 0; }, {E::CountdownGo}},
      {"the run is lost", [](GameEvents& e) { changed(e, Screen::Fight, Screen::Defeat); }, {}},
      {"a restart",
       [](GameEvents& e) {
         e.restarted = true;
         changed(e, Screen::Defeat, Screen::Fight);
       },
       {}},
      {"a restart from the card choice",
       [](GameEvents& e) {
         e.restarted = true;
         changed(e, Screen::CardChoice, Screen::Fight);
       },
       {}, 0, std::nullopt},
  };
  for (const Row& row : rows) {
    GameEvents events;
    row.events(events);
    SoundEffects got = sound_effects(events);
    if (card_hover_sounds(events, row.hovered_before, row.hovered)) got.set(index_of(E::CardHover));
    EXPECT_EQ(names(got), names(set_of(row.expected))) << row.what;
  }
}

// A whole run through the real game: every stage won, card and count-in sounds once each.
TEST(SoundEvents, AWholeRunSoundsAsItIsPlayed) {
  Pcg32 rng;
  GameState state = start_run(rng, {1765000000, 500}, kDefaultOutputMode);
  std::map<SoundEffect, int> heard;
  bot::RunPlan plan;
  plan.route = bot::Route::SkipBonus;
  plan.step = [&](GameState& s, Pcg32& generator, const FrameInput& input, float dt) {
    const SoundEffects effects = sound_effects(play_frame(s, generator, input, dt).events);
    for (std::size_t i = 0; i < kSoundEffectCount; ++i) {
      if (effects.test(i)) ++heard[static_cast<SoundEffect>(i)];
    }
  };
  const bot::RunRecord run = bot::play_run(state, rng, plan);
  ASSERT_EQ(state.screen, Screen::Victory);

  const int fights = static_cast<int>(run.stages.size());
  EXPECT_EQ(heard[E::BossKnockedOut], fights);
  EXPECT_EQ(heard[E::StageClear], fights - 1);
  EXPECT_EQ(heard[E::Victory], 1);
  EXPECT_EQ(heard[E::CardPick], static_cast<int>(run.picked.size()));
  EXPECT_EQ(heard[E::CountdownGo], fights - 1);  // the first fight has no count-in
  EXPECT_EQ(heard[E::CountdownTick], 3 * (fights - 1));
  const int jumps = static_cast<int>(state.jump_count);
  EXPECT_EQ(heard[E::Jump] + heard[E::Tick] + heard[E::Tock], jumps);
  // Every jump comes down, but for one still in the air when its fight is won.
  EXPECT_LE(heard[E::Land], jumps);
  EXPECT_GE(heard[E::Land], jumps - fights);
  // Every wind-up strikes, but for one of the other pad when a fight is won.
  const int strikes = heard[E::StrikeBoss] + heard[E::StrikeClone] + heard[E::StrikeMiss];
  EXPECT_LE(strikes, heard[E::PadWindUp]);
  EXPECT_GE(strikes, heard[E::PadWindUp] - fights);
  EXPECT_GE(heard[E::StrikeBoss] + heard[E::StrikeClone], fights);
}

}  // namespace
}  // namespace ventora
