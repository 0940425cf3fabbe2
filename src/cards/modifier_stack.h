// The run's memory of picked cards, and every card-dependent number derived from it.
// Stats are folded afresh from the modifier list at every query; nothing is cached.
#pragma once

#include <cstdint>
#include <vector>

#include "cards/catalogue.h"

namespace ventora {

// `fights_left` of a modifier that lasts the whole run.
constexpr std::int32_t kWholeRun = -1;

// One applied effect, with the catalogue's numbers and the state that ends it. Reverse removes a
// card's modifiers, and with them everything they would still do.
struct Modifier {
  Card card;
  ModifierKind kind;
  std::int32_t value;
  std::int32_t extra = 0;
  std::int32_t fights_left = kWholeRun;  // won fights it still counts for; 0: it has run out
  float seconds_left = 0;                // a timer started by the pick itself (Sacrifice)
  bool pending = false;                  // a next-fight effect waiting for its fight's set-up
};

// The card effects of the fight being played: set up with the fight, gone when it is won.
struct FightCardEffects {
  std::int32_t buff_bonus = 0;
  float weaken_time = 0;
  std::int32_t weaken_bonus = 0;  // added to a strike while `weaken_time` runs
  float confuse_clock = 0;
  float confuse_period = 0;
  std::int32_t start_damage = 0;  // dealt to the player by the fight set-up
  bool confuse_active = false;
  bool clone_active = false;
};

struct ModifierStack {
  std::vector<Modifier> modifiers;
  std::vector<Card> picks;
  // The shield and the Light Magic window may reach into the next fight.
  float shield_time = 0;
  std::int32_t shield_blocks = 0;
  float regen_time = 0;
  float regen_clock = 0;
  float regen_period = 0;
  std::int32_t regen_heal = 0;
  bool tick_tock_high = false;
  FightCardEffects fight;
};

struct StatBlock {
  float run = 1.0f;
  float jump = 1.0f;
  float gravity = 1.0f;
  float damage_scale = 1.0f;
  std::int32_t damage_bonus = 0;
  // These two fold every entry, also those whose won fights have run out; damage_taken leaves
  // the run-out ones out.
  float damage_taken_scale = 1.0f;
  std::int32_t enemy_damage_bonus = 0;
  std::int32_t max_hp = 3;
  std::int32_t hp_limit = 7;  // the cap on hit points whatever the maximum
  bool regen_allowed = true;
  bool tick_tock = false;
  bool vampire = false;
  bool blood_magic = false;
  bool eye_for_an_eye = false;
  bool height_and_speed = false;
  bool speed_and_height = false;
  bool vampires_den = false;
  // The sizes of the effects held above, from their modifiers.
  float tick_tock_low = 1.0f, tick_tock_high = 1.0f;
  std::int32_t eye_for_an_eye_damage = 0;
  std::int32_t sacrifice_damage = 0;  // while a Sacrifice timer runs
  std::int32_t blood_magic_heal = 0;
  float jump_boost = 0, jump_boost_step = 1;  // Height and Speed
  float run_boost = 0, run_boost_step = 1;    // Speed and Height
  std::int32_t den_retaliation = 0, den_heal = 0;
};

StatBlock aggregate_stats(const ModifierStack& stack);
std::int32_t hp_cap(const ModifierStack& stack);
void apply_pick(ModifierStack& stack, Card card, std::int32_t& hp);
void start_fight_effects(ModifierStack& stack, std::int32_t& hp, std::int32_t& boss_hp);
void fight_won(ModifierStack& stack);
void tick_cards(ModifierStack& stack, float dt, std::int32_t& hp);
std::int32_t damage_taken(const ModifierStack& stack);
std::int32_t damage_dealt(const ModifierStack& stack);
std::int32_t retaliation_damage(const ModifierStack& stack, std::int32_t taken);
void retaliation_heal(const ModifierStack& stack, std::int32_t& hp);
void blood_magic_hp_change(const ModifierStack& stack, std::int32_t delta, std::int32_t& hp);
float effective_run(const StatBlock& stats);
float effective_jump(const StatBlock& stats);
float next_jump_factor(ModifierStack& stack);
bool controls_flipped(const ModifierStack& stack);
std::int32_t count_picks(const ModifierStack& stack, Card card);
// A standing Shield of Trust aura (time and a block left) spends one block to take a hit.
// True when it did.
bool use_shield_block(ModifierStack& stack);
// The longest timer still running on a modifier of `kind` (Sacrifice), 0 when none runs.
float seconds_left(const ModifierStack& stack, ModifierKind kind);
// True while a next-fight effect of `kind` waits for a fight set-up.
bool is_pending(const ModifierStack& stack, ModifierKind kind);

}  // namespace ventora
