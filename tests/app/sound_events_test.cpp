// The sounds a frame makes, from the run before and after it: one row per event, each from the
// smallest change of state that makes it, and a whole run played by the bot through the real game.
#include "app/sound_events.h"

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <map>
#include <string>

#include "game/run.h"
#include "layout/frame_layout.h"
#include "layout/hud_scale.h"
#include "layout/overlay_geometry.h"
#include "tests/support/run_bot.h"

namespace ventora {
namespace {

using Change = std::function<void(GameState&)>;
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

FrameInput pointer_at(Vec2 mouse) {
  FrameInput input;
  input.screen_width = 1280;
  input.screen_height = 720;
  input.mouse = mouse;
  return input;
}

// The middle of card box `index` on the 1280 × 720 screen the rows use.
Vec2 card_centre(int index) {
  const GameState state;
  const HudScale scale = hud_scale(frame_layout_for(state.render_settings, 1280, 720), 1280, 720);
  const Rect box = card_box(scale, index);
  return {box.x + box.w / 2, box.y + box.h / 2};
}

constexpr Vec2 kAway{5, 5};

void nothing(GameState&) {}

struct Row {
  const char* what;
  Change before;  // from a fresh state in a fight
  Change after;   // from the state before
  std::initializer_list<SoundEffect> expected;
  Vec2 mouse_before = kAway;
  Vec2 mouse_after = kAway;
  bool restart = false;
};

void fight_with_clones(GameState& s) {
  s.modifier_stack.fight.clone_active = true;
  s.clones = {BossClone{1.0f, 0, true}, BossClone{2.0f, 0, true}};
}

void confused(GameState& s, float clock) {
  s.modifier_stack.fight.confuse_active = true;
  s.modifier_stack.fight.confuse_period = 3;
  s.modifier_stack.fight.confuse_clock = clock;
}

void damaging_strike(GameState& s) {
  s.launch_pads[0].phase = LaunchPhase::Strike;
  s.boss_speed += 0.16f;
  s.boss_hp -= 1;
}

TEST(SoundEvents, EachEventFromTheSmallestChangeThatMakesIt) {
  const Row rows[] = {
      {"nothing changes", nothing, nothing, {}},
      {"a jump",
       nothing,
       [](GameState& s) {
         s.jump_count = 1;
         s.player_vspeed = 345;
       },
       {E::Jump}},
      {"the low jump of Tick, Tock",
       nothing,
       [](GameState& s) {
         s.jump_count = 1;
         s.modifier_stack.tick_tock_high = true;
       },
       {E::Tick}},
      {"the high jump of Tick, Tock",
       [](GameState& s) { s.modifier_stack.tick_tock_high = true; },
       [](GameState& s) {
         s.jump_count = 1;
         s.modifier_stack.tick_tock_high = false;
       },
       {E::Tock}},
      {"a landing",
       [](GameState& s) {
         s.player_height = 2;
         s.player_vspeed = -300;
       },
       [](GameState& s) {
         s.player_height = 0;
         s.player_vspeed = 0;
       },
       {E::Land}},
      {"a landing and the next jump in one frame",
       [](GameState& s) {
         s.player_height = 2;
         s.player_vspeed = -300;
       },
       [](GameState& s) {
         s.player_height = 0;
         s.player_vspeed = 345;
         s.jump_count = 1;
       },
       {E::Land, E::Jump}},
      {"still rising the frame after a jump",
       [](GameState& s) { s.player_vspeed = 345; },
       [](GameState& s) {
         s.player_height = 5;
         s.player_vspeed = 330;
       },
       {}},
      {"a pad winds up",
       nothing,
       [](GameState& s) { s.launch_pads[1].phase = LaunchPhase::WindUp; },
       {E::PadWindUp}},
      {"a strike on nothing",
       [](GameState& s) { s.launch_pads[0].phase = LaunchPhase::WindUp; },
       [](GameState& s) { s.launch_pads[0].phase = LaunchPhase::Strike; },
       {E::StrikeMiss}},
      {"a strike on the boss",
       [](GameState& s) { s.launch_pads[0].phase = LaunchPhase::WindUp; },
       damaging_strike,
       {E::StrikeBoss, E::BossHit}},
      {"a strike that knocks the boss out",
       [](GameState& s) {
         s.launch_pads[0].phase = LaunchPhase::WindUp;
         s.boss_hp = 1;
       },
       [](GameState& s) {
         damaging_strike(s);
         s.screen = Screen::StageClear;
       },
       {E::StrikeBoss, E::BossHit, E::BossKnockedOut, E::StageClear}},
      {"the strike that wins the last stage",
       [](GameState& s) {
         s.launch_pads[0].phase = LaunchPhase::WindUp;
         s.boss_hp = 1;
         s.stage = 5;
       },
       [](GameState& s) {
         damaging_strike(s);
         s.screen = Screen::Victory;
       },
       {E::StrikeBoss, E::BossHit, E::BossKnockedOut, E::Victory}},
      {"a strike on a clone",
       [](GameState& s) {
         fight_with_clones(s);
         s.launch_pads[0].phase = LaunchPhase::WindUp;
       },
       [](GameState& s) {
         damaging_strike(s);
         s.clones[1].active = false;
       },
       {E::StrikeClone, E::CloneVanish}},
      {"a hit on the player",
       nothing,
       [](GameState& s) {
         s.player_hp = 2;
         s.player_guard_time = 1;
       },
       {E::PlayerHit}},
      {"a hit the shield blocks",
       [](GameState& s) {
         s.modifier_stack.shield_blocks = 1;
         s.modifier_stack.shield_time = 5;
       },
       [](GameState& s) {
         s.modifier_stack.shield_blocks = 0;
         s.player_guard_time = 1;
       },
       {E::ShieldBlock}},
      {"a touch while guarded",
       [](GameState& s) { s.player_guard_time = 0.5f; },
       [](GameState& s) {
         s.player_guard_time = 0.48f;
         s.boss_angle += 0.48f;
       },
       {}},
      {"a hit that Vampire pays back and heals",
       nothing,
       [](GameState& s) {
         s.player_guard_time = 1;
         s.boss_hp = 2;
       },
       {E::PlayerHit, E::VampireHeal, E::BossHit}},
      {"Tit for Tat's damage as its card is picked",
       [](GameState& s) { s.screen = Screen::CardChoice; },
       [](GameState& s) {
         s.modifier_stack.picks = {Card::TitForTat};
         s.player_hp = 1;
         s.screen = Screen::Countdown;
         s.countdown = 3.55f;
       },
       {E::CardPick, E::PlayerHit, E::CountdownTick}},
      {"Tit for Tat's damage taken by a shield",
       [](GameState& s) {
         s.screen = Screen::CardChoice;
         s.modifier_stack.shield_blocks = 1;
         s.modifier_stack.shield_time = 3;
       },
       [](GameState& s) {
         s.modifier_stack.picks = {Card::TitForTat};
         s.modifier_stack.shield_blocks = 0;
         s.screen = Screen::Countdown;
         s.countdown = 3.55f;
       },
       {E::CardPick, E::ShieldBlock, E::CountdownTick}},
      {"a card that sets hit points to 1 is no hit",
       [](GameState& s) { s.screen = Screen::CardChoice; },
       [](GameState& s) {
         s.modifier_stack.picks = {Card::BrawnOverBrains};
         s.player_hp = 1;
         s.screen = Screen::Countdown;
         s.countdown = 3.55f;
       },
       {E::CardPick, E::CountdownTick}},
      {"the clones come on when the fight starts",
       [](GameState& s) {
         fight_with_clones(s);
         s.screen = Screen::Countdown;
         s.countdown = 0.01f;
       },
       [](GameState& s) { s.screen = Screen::Fight; },
       {E::ClonesAppear}},
      {"a fight without clones starts silently",
       [](GameState& s) {
         s.screen = Screen::Countdown;
         s.countdown = 0.01f;
       },
       [](GameState& s) { s.screen = Screen::Fight; },
       {}},
      {"Confuse flips the controls",
       [](GameState& s) { confused(s, 2.99f); },
       [](GameState& s) { confused(s, 3.01f); },
       {E::ConfuseFlip}},
      {"Confuse flips them back",
       [](GameState& s) { confused(s, 5.99f); },
       [](GameState& s) { confused(s, 6.01f); },
       {E::ConfuseUnflip}},
      {"Confuse ends with its fight",
       [](GameState& s) { confused(s, 4); },
       [](GameState& s) { s.modifier_stack.fight = {}; },
       {}},
      {"the pointer comes onto a card",
       [](GameState& s) { s.screen = Screen::CardChoice; },
       nothing,
       {E::CardHover},
       kAway,
       card_centre(1)},
      {"the pointer moves to the next card",
       [](GameState& s) { s.screen = Screen::CardChoice; },
       nothing,
       {E::CardHover},
       card_centre(0),
       card_centre(1)},
      {"the pointer moves within a card",
       [](GameState& s) { s.screen = Screen::CardChoice; },
       nothing,
       {},
       card_centre(2),
       Vec2{card_centre(2).x + 3, card_centre(2).y}},
      {"the pointer leaves the cards",
       [](GameState& s) { s.screen = Screen::CardChoice; },
       nothing,
       {},
       card_centre(2),
       kAway},
      {"the card choice opens under the pointer",
       [](GameState& s) { s.screen = Screen::StageClear; },
       [](GameState& s) { s.screen = Screen::CardChoice; },
       {},
       card_centre(1),
       card_centre(1)},
      {"a card is picked",
       [](GameState& s) { s.screen = Screen::CardChoice; },
       [](GameState& s) {
         s.modifier_stack.picks = {Card::Buff};
         s.screen = Screen::Countdown;
         s.countdown = 3.55f;
       },
       {E::CardPick, E::CountdownTick}},
      {"the count-in reaches 2",
       [](GameState& s) {
         s.screen = Screen::Countdown;
         s.countdown = 2.56f;
       },
       [](GameState& s) { s.countdown = 2.54f; },
       {E::CountdownTick}},
      {"the count-in within one number",
       [](GameState& s) {
         s.screen = Screen::Countdown;
         s.countdown = 2.4f;
       },
       [](GameState& s) { s.countdown = 2.38f; },
       {}},
      {"the count-in says GO!",
       [](GameState& s) {
         s.screen = Screen::Countdown;
         s.countdown = 0.56f;
       },
       [](GameState& s) { s.countdown = 0.54f; },
       {E::CountdownGo}},
      {"a restart",
       [](GameState& s) {
         s.screen = Screen::Defeat;
         s.jump_count = 9;
         s.player_hp = 0;
       },
       [](GameState& s) { s = GameState{}; },
       {},
       kAway,
       kAway,
       true},
  };
  for (const Row& row : rows) {
    GameState before;
    row.before(before);
    GameState after = before;
    row.after(after);
    FrameInput input = pointer_at(row.mouse_after);
    if (row.restart) input.press(Key::R);
    const SoundEffects got =
        sound_events(sound_facts(before, pointer_at(row.mouse_before)), sound_facts(after, input), input);
    EXPECT_EQ(names(got), names(set_of(row.expected))) << row.what;
  }
}

// A whole run through the real game: every stage won, card and count-in sounds once each.
TEST(SoundEvents, AWholeRunSoundsAsItIsPlayed) {
  Pcg32 rng;
  GameState state = start_run(rng, {1765000000, 500}, kDefaultOutputMode);
  std::map<SoundEffect, int> heard;
  FrameInput last_input = bot::idle_input(state, 0);
  bot::RunPlan plan;
  plan.route = bot::Route::SkipBonus;
  plan.step = [&](GameState& s, Pcg32& generator, const FrameInput& input, float dt) {
    const SoundFacts before = sound_facts(s, last_input);
    update_game(s, generator, input, dt);
    const SoundEffects effects = sound_events(before, sound_facts(s, input), input);
    for (std::size_t i = 0; i < kSoundEffectCount; ++i) {
      if (effects.test(i)) ++heard[static_cast<SoundEffect>(i)];
    }
    last_input = input;
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
