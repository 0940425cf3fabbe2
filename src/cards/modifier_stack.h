// The run's memory of picked cards, and every card-dependent number derived from it.
// Stats are folded afresh from the modifier list at every query; nothing is cached.
#pragma once

#include <cstdint>
#include <vector>

#include "cards/catalogue.h"

namespace ventora {

struct Modifier {
  Card card;
  ModifierKind kind;
  std::int32_t value;
};

struct ModifierStack {
  std::vector<Modifier> modifiers;
  std::vector<Card> picks;
  float sacrifice_time = 0;
  float shield_time = 0;
  std::int32_t shield_blocks = 0;
  float regen_time = 0;
  float regen_clock = 0;
  std::int32_t double_trouble_fights = 0;
  std::int32_t brawn_stages = 0;
  std::int32_t buff_bonus = 0;
  float weaken_time = 0;
  float confuse_clock = 0;
  std::int32_t start_damage = 0;
  bool tick_tock_high = false;
  bool pending_shield = false;
  bool pending_regen = false;
  bool pending_tit_for_tat = false;
  bool pending_clone = false;
  bool pending_buff = false;
  bool pending_weaken = false;
  bool pending_confuse = false;
  bool confuse_active = false;
  bool clone_active = false;
};

struct StatBlock {
  float run = 1.0f;
  float jump = 1.0f;
  float gravity = 1.0f;
  float damage_scale = 1.0f;
  std::int32_t damage_bonus = 0;
  float damage_taken_scale = 1.0f;
  std::int32_t enemy_damage_bonus = 0;
  std::int32_t max_hp = 3;
  bool regen_allowed = true;
  bool tick_tock = false;
  bool vampire = false;
  bool blood_magic = false;
  bool eye_for_an_eye = false;
  bool height_and_speed = false;
  bool speed_and_height = false;
  bool vampires_den = false;
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

}  // namespace ventora
