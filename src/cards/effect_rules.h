// What each kind of card effect does, one row per ModifierKind: how it folds into the stats, what
// it does to hit points when picked, and how a next-fight effect starts. A new kind of effect is
// one new row; the modifier stack only walks its list and asks the rows.
#pragma once

#include <cstdint>

#include "cards/catalogue.h"
#include "cards/modifier_stack.h"

namespace ventora {

struct EffectRule {
  ModifierKind kind;
  // Folds a modifier into the aggregate; null for a kind that adds nothing to it.
  void (*fold)(StatBlock& stats, const Modifier& m) = nullptr;
  // The aggregate keeps folding the modifier after its won fights have run out; a hit on the
  // player leaves it out then (damage_taken). Without this, a run-out modifier folds no more.
  bool folded_after_its_fights = false;
  // Acts once on the player's hit points right after the card is picked.
  void (*on_pick)(const ModifierStack& stack, const Modifier& m, std::int32_t& hp) = nullptr;
  // Starts a next-fight effect at its fight's set-up (its timer length is in `seconds_left`);
  // false keeps it waiting for a later fight. A kind with a start waits from its pick on.
  bool (*start)(ModifierStack& stack, const Modifier& m, bool regen_allowed,
                std::int32_t& boss_hp) = nullptr;
};

const EffectRule& effect_rule(ModifierKind kind);

// True for a next-fight effect: it waits from its pick until a fight set-up starts it.
inline bool waits_for_fight(ModifierKind kind) { return effect_rule(kind).start != nullptr; }

}  // namespace ventora
