// The state hash sees every part of the game: a change to any field, down in the cards, the
// planet and the render settings too, or to the generator hashed with it, changes it.
#include "replay/state_hash.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "game/run.h"
#include "random/rng.h"

namespace ventora::replay {
namespace {

struct Change {
  const char* field;
  std::function<void(GameState&)> apply;
};

// The same state every call, with `rng` where the run left it.
GameState base_state(Pcg32& rng) {
  GameState state = start_run(rng, ClockReading{1765000000, 500}, OutputMode::Hd720);
  state.clones = {BossClone{1.0f, 2.0f, true}};
  state.confetti = {ConfettiPiece{}};
  state.modifier_stack.modifiers = {Modifier{Card::Clone, ModifierKind::RunSpeed, 2}};
  return state;
}

TEST(StateHash, EveryFieldCounts) {
  const std::vector<Change> changes = {
      {"screen", [](GameState& s) { s.screen = Screen::Defeat; }},
      {"stage", [](GameState& s) { s.stage = 2; }},
      {"jump_count", [](GameState& s) { s.jump_count = 1; }},
      {"bonus_topping", [](GameState& s) { s.bonus_topping = true; }},
      {"countdown", [](GameState& s) { s.countdown = 1e-30f; }},
      {"planet_turn", [](GameState& s) { s.planet_turn = -0.0f; }},  // the sign bit alone
      {"facing", [](GameState& s) { s.facing = Facing::Right; }},
      {"player_height", [](GameState& s) { s.player_height = 1; }},
      {"player_vspeed", [](GameState& s) { s.player_vspeed = 1; }},
      {"player_hp", [](GameState& s) { s.player_hp = 2; }},
      {"player_guard_time", [](GameState& s) { s.player_guard_time = 1; }},
      {"boss_angle", [](GameState& s) { s.boss_angle = std::nextafter(s.boss_angle, 9.0f); }},
      {"boss_speed", [](GameState& s) { s.boss_speed = 1; }},
      {"boss_hp", [](GameState& s) { s.boss_hp = 2; }},
      {"boss_present", [](GameState& s) { s.boss_present = false; }},
      {"boss_guard_time", [](GameState& s) { s.boss_guard_time = 1; }},
      {"boss_flash_time", [](GameState& s) { s.boss_flash_time = 1; }},
      {"clones: one more", [](GameState& s) { s.clones.push_back(BossClone{}); }},
      {"clone angle", [](GameState& s) { s.clones[0].angle = 3; }},
      {"clone reverse_time", [](GameState& s) { s.clones[0].reverse_time = 3; }},
      {"clone active", [](GameState& s) { s.clones[0].active = false; }},
      {"launch pad phase", [](GameState& s) { s.launch_pads[1].phase = LaunchPhase::Hold; }},
      {"launch pad phase_time", [](GameState& s) { s.launch_pads[0].phase_time = 0.1f; }},
      {"launch pad angle", [](GameState& s) { s.launch_pads[1].angle = 0; }},
      {"offer card",
       [](GameState& s) {
         s.offer[2].card = s.offer[2].card == Card::Buff ? Card::Clone : Card::Buff;
       }},
      {"offer rarity",
       [](GameState& s) {
         s.offer[0].rarity = s.offer[0].rarity == Rarity::Epic ? Rarity::Common : Rarity::Epic;
       }},
      {"modifiers",
       [](GameState& s) {
         s.modifier_stack.modifiers.push_back({Card::Buff, ModifierKind::RunSpeed, 1});
       }},
      {"modifier value", [](GameState& s) { s.modifier_stack.modifiers[0].value += 1; }},
      {"modifier extra", [](GameState& s) { s.modifier_stack.modifiers[0].extra += 1; }},
      {"modifier fights_left",
       [](GameState& s) { s.modifier_stack.modifiers[0].fights_left += 1; }},
      {"modifier seconds_left",
       [](GameState& s) { s.modifier_stack.modifiers[0].seconds_left += 1; }},
      {"modifier pending", [](GameState& s) { s.modifier_stack.modifiers[0].pending = true; }},
      {"picks", [](GameState& s) { s.modifier_stack.picks.push_back(Card::Buff); }},
      {"shield_time", [](GameState& s) { s.modifier_stack.shield_time = 1; }},
      {"shield_blocks", [](GameState& s) { s.modifier_stack.shield_blocks = 1; }},
      {"regen_time", [](GameState& s) { s.modifier_stack.regen_time = 1; }},
      {"regen_clock", [](GameState& s) { s.modifier_stack.regen_clock = 1; }},
      {"regen_period", [](GameState& s) { s.modifier_stack.regen_period = 1; }},
      {"regen_heal", [](GameState& s) { s.modifier_stack.regen_heal = 1; }},
      {"tick_tock_high", [](GameState& s) { s.modifier_stack.tick_tock_high = true; }},
      {"fight buff_bonus", [](GameState& s) { s.modifier_stack.fight.buff_bonus = 1; }},
      {"fight weaken_time", [](GameState& s) { s.modifier_stack.fight.weaken_time = 1; }},
      {"fight weaken_bonus", [](GameState& s) { s.modifier_stack.fight.weaken_bonus = 1; }},
      {"fight confuse_clock", [](GameState& s) { s.modifier_stack.fight.confuse_clock = 1; }},
      {"fight confuse_period", [](GameState& s) { s.modifier_stack.fight.confuse_period = 1; }},
      {"fight start_damage", [](GameState& s) { s.modifier_stack.fight.start_damage = 1; }},
      {"fight confuse_active", [](GameState& s) { s.modifier_stack.fight.confuse_active = true; }},
      {"fight clone_active", [](GameState& s) { s.modifier_stack.fight.clone_active = true; }},
      {"entropy_keys", [](GameState& s) { s.entropy_keys.push_back(0); }},
      {"entropy_seed", [](GameState& s) { s.entropy_seed ^= 1; }},
      {"entropy_quota", [](GameState& s) { s.entropy_quota ^= 1; }},
      {"rng_reseeded", [](GameState& s) { s.rng_reseeded = true; }},
      {"planet: none", [](GameState& s) { s.planet.reset(); }},
      {"planet kind", [](GameState& s) { s.planet->kind = planet::PlanetKind::Star; }},
      {"planet colour", [](GameState& s) { s.planet->colors[0].g ^= 1; }},
      {"planet layer name", [](GameState& s) { s.planet->layers[0].name += "x"; }},
      {"planet layer visible",
       [](GameState& s) { s.planet->layers[0].visible = !s.planet->layers[0].visible; }},
      {"planet seed", [](GameState& s) { s.planet->seed ^= 1; }},
      {"planet light_origin", [](GameState& s) { s.planet->light_origin.y = 0.5f; }},
      {"planet pixels", [](GameState& s) { planet::set_pixels(*s.planet, s.planet->pixels + 1); }},
      {"planet rotation", [](GameState& s) { s.planet->rotation = 1; }},
      {"planet time", [](GameState& s) { s.planet->time = 1; }},
      {"planet should_dither",
       [](GameState& s) { s.planet->should_dither = !s.planet->should_dither; }},
      {"planet cloud_cover", [](GameState& s) { s.planet->cloud_cover += 0.5f; }},
      {"planet_time", [](GameState& s) { s.planet_time = 1; }},
      {"planet_pixels", [](GameState& s) { s.render_settings.planet_pixels = 7; }},
      {"preset: OG, HD off", [](GameState& s) { s.render_settings.mode = OutputMode::Og; }},
      {"planet_dither",
       [](GameState& s) { s.render_settings.planet_dither = !s.render_settings.planet_dither; }},
      {"preset: another HD", [](GameState& s) { s.render_settings.mode = OutputMode::Hd4k; }},
      {"backdrop star", [](GameState& s) { s.backdrop_stars[89].brightness = 0; }},
      {"confetti colour", [](GameState& s) { s.confetti[0].colour.a = 0.5f; }},
      {"confetti sway_rate", [](GameState& s) { s.confetti[0].sway_rate = 1; }},
      {"confetti: moved to clones",
       [](GameState& s) {
         s.confetti.clear();
         s.clones.push_back(BossClone{0, 0, false});
       }},
  };
  Pcg32 base_rng;
  const GameState base = base_state(base_rng);
  const std::uint64_t base_hash = state_hash(base, base_rng);
  std::set<std::uint64_t> seen{base_hash};
  for (const Change& change : changes) {
    Pcg32 rng;
    GameState changed = base_state(rng);
    EXPECT_EQ(state_hash(changed, rng), base_hash) << "the same state hashes the same";
    change.apply(changed);
    const std::uint64_t hash = state_hash(changed, rng);
    EXPECT_NE(hash, base_hash) << change.field;
    EXPECT_TRUE(seen.insert(hash).second) << change.field << " hashes like another change";
  }
  // The same state after one more draw of the generator.
  Pcg32 rng;
  const GameState same = base_state(rng);
  rng.next();
  const std::uint64_t drawn = state_hash(same, rng);
  EXPECT_NE(drawn, base_hash) << "the generator";
  EXPECT_TRUE(seen.insert(drawn).second) << "the generator hashes like another change";
}

}  // namespace
}  // namespace ventora::replay
