#include "invariants.h"

#include <algorithm>
#include <cmath>
#include <sstream>

#include "cards/catalogue.h"
#include "cards/modifier_stack.h"
#include "game/fight_rules.h"

namespace ventora::storm {

namespace {

// Collects the first failed check of a frame, with the offending value.
class Findings {
 public:
  void expect(bool ok, const char* what, double value) {
    if (ok || first_) return;
    std::ostringstream text;
    text << what << " (is " << value << ")";
    first_ = text.str();
  }
  void finite(float value, const char* what) { expect(std::isfinite(value), what, value); }
  void in_range(double value, double low, double high, const char* what) {
    expect(value >= low && value <= high, what, value);
  }
  void angle(float value, const char* what) { expect(value >= 0 && value < kTau, what, value); }
  std::optional<std::string> result() const { return first_; }

 private:
  std::optional<std::string> first_;
};

// The longest frame the game ever advances by, the slack a timer may overrun its end.
constexpr float kLongestStep = 0.05f;

void check_fight(const GameState& s, Findings& f) {
  f.angle(s.planet_turn, "planet_turn outside [0, 2pi)");
  f.angle(s.boss_angle, "boss_angle outside [0, 2pi)");
  f.finite(s.boss_speed, "boss_speed not finite");
  f.in_range(s.boss_speed, kBossStartSpeed, 1e6, "boss_speed below its start");
  f.finite(s.player_height, "player_height not finite");
  f.in_range(s.player_height, 0, 1e6, "player_height below the ground");
  f.finite(s.player_vspeed, "player_vspeed not finite");
  f.in_range(s.player_guard_time, 0, kPlayerGuardTime, "player_guard_time out of range");
  f.in_range(s.boss_guard_time, 0, kBossGuardTime, "boss_guard_time out of range");
  f.in_range(s.boss_flash_time, 0, kBossFlashTime, "boss_flash_time out of range");
  f.expect(!s.boss_present || s.boss_hp > 0, "boss present with no hit points", s.boss_hp);
  for (const BossClone& clone : s.clones) {
    f.angle(clone.angle, "clone angle outside [0, 2pi)");
    f.finite(clone.reverse_time, "clone reverse_time not finite");
    f.expect(clone.reverse_time >= 0, "clone reverse_time below 0", clone.reverse_time);
  }
  for (size_t i = 0; i < s.launch_pads.size(); ++i) {
    const LaunchPad& pad = s.launch_pads[i];
    f.expect(pad.angle == (i == 0 ? 0.0f : kPi), "launch pad moved", pad.angle);
    f.expect(pad.phase <= LaunchPhase::Recover, "launch pad phase invalid",
             static_cast<int>(pad.phase));
    f.finite(pad.phase_time, "launch pad phase_time not finite");
    f.expect(pad.phase_time >= 0, "launch pad phase_time below 0", pad.phase_time);
    if (pad.phase != LaunchPhase::Idle) {
      f.expect(pad.phase_time < phase_length(pad.phase), "launch pad overstayed its phase",
               pad.phase_time);
    }
  }
}

void check_cards(const GameState& s, Findings& f) {
  const ModifierStack& m = s.modifier_stack;
  const std::int32_t cap = hp_cap(m);
  f.in_range(cap, 1, 7, "hp_cap out of range");
  f.expect(s.player_hp <= cap, "player_hp above the cap", s.player_hp);
  if (s.screen != Screen::Defeat)
    f.expect(s.player_hp > 0, "player_hp at 0 outside Defeat", s.player_hp);
  f.in_range(m.shield_time, 0, 8, "shield_time out of range");
  f.in_range(m.shield_blocks, 0, 1, "shield_blocks out of range");
  f.in_range(m.regen_time, -kLongestStep, 50, "regen_time out of range");
  f.finite(m.regen_clock, "regen_clock not finite");
  f.expect(m.regen_clock >= 0, "regen_clock below 0", m.regen_clock);
  const FightCardEffects& fight = m.fight;
  f.in_range(fight.buff_bonus, 0, 1, "buff_bonus out of range");
  f.in_range(fight.weaken_time, 0, 50, "weaken_time out of range");
  f.finite(fight.confuse_clock, "confuse_clock not finite");
  f.expect(fight.confuse_clock >= 0, "confuse_clock below 0", fight.confuse_clock);
  f.expect(fight.start_damage == 0, "start damage left undealt", fight.start_damage);
  for (const Card card : m.picks)
    f.in_range(static_cast<int>(card), 0, kCardCount - 1, "picked card invalid");
  for (const Modifier& modifier : m.modifiers) {
    f.in_range(static_cast<int>(modifier.card), 0, kCardCount - 1, "modifier card invalid");
    f.expect(modifier.fights_left >= kWholeRun, "modifier fights_left out of range", modifier.fights_left);
    // A timer starts at its card's own length (Sacrifice 20 s, Light Magic 50 s) and only runs down.
    float longest = 0;
    for (const Effect& effect : card_effects(modifier.card)) longest = std::max(longest, effect.seconds);
    f.in_range(modifier.seconds_left, 0, longest, "modifier timer out of range");
  }
}

void check_run(const GameState& s, Findings& f) {
  f.expect(s.screen <= Screen::Defeat, "screen invalid", static_cast<int>(s.screen));
  f.in_range(static_cast<double>(s.stage), 1, 6, "stage out of range");
  f.in_range(s.countdown, -kLongestStep, 3.55f, "countdown out of range");
  for (const OfferedCard& offered : s.offer) {
    f.in_range(static_cast<int>(offered.card), 0, kCardCount - 1, "offered card invalid");
    f.expect(offered.rarity <= Rarity::Epic, "offered rarity invalid",
             static_cast<int>(offered.rarity));
  }
  f.in_range(static_cast<double>(s.entropy_quota), 9, 12, "entropy quota out of range");
  f.expect(s.entropy_keys.size() <= kEntropyKeyRoom, "too many entropy keys",
           static_cast<double>(s.entropy_keys.size()));
  f.finite(s.planet_time, "planet_time not finite");
  f.expect(s.planet.has_value(), "no planet", 0);
  f.in_range(static_cast<int>(s.render_settings.mode), 0,
             static_cast<int>(std::size(kOutputModes)) - 1, "render preset out of range");
  for (const ConfettiPiece& piece : s.confetti) {
    f.expect(std::isfinite(piece.x) && std::isfinite(piece.y), "confetti position not finite",
             piece.y);
    f.expect(std::isfinite(piece.vx) && std::isfinite(piece.vy), "confetti speed not finite",
             piece.vy);
  }
}

bool finite_vec(Vec2 v) { return std::isfinite(v.x) && std::isfinite(v.y); }
bool finite_rect(const Rect& r) {
  return std::isfinite(r.x) && std::isfinite(r.y) && std::isfinite(r.w) && std::isfinite(r.h);
}
bool unit_color(const Color& c) {
  const auto unit = [](float v) { return v >= 0 && v <= 1; };  // false for NaN too
  return unit(c.r) && unit(c.g) && unit(c.b) && unit(c.a);
}

}  // namespace

std::optional<std::string> check_state(const GameState& state) {
  Findings findings;
  check_run(state, findings);
  check_fight(state, findings);
  check_cards(state, findings);
  return findings.result();
}

std::optional<std::string> check_draw_list(const DrawList& list) {
  Findings f;
  bool in_target = false;
  for (size_t i = 0; i < list.commands.size() && !f.result(); ++i) {
    const DrawCommand& c = list.commands[i];
    const double at = static_cast<double>(i);
    f.expect(finite_vec(c.a) && finite_vec(c.b) && finite_vec(c.c), "draw command point not finite",
             at);
    f.expect(finite_rect(c.rect), "draw command rectangle not finite", at);
    f.expect(std::isfinite(c.radius) && std::isfinite(c.thickness) && std::isfinite(c.rotation) &&
                 std::isfinite(c.font_size),
             "draw command size not finite", at);
    f.expect(unit_color(c.color), "draw command colour outside 0..1", at);
    if (c.op == DrawOp::BeginTarget) {
      f.expect(!in_target, "target begun inside a target", at);
      f.expect(c.target_width > 0 && c.target_height > 0, "target of zero size", at);
      in_target = true;
    } else if (c.op == DrawOp::EndTarget) {
      f.expect(in_target, "target ended that was never begun", at);
      in_target = false;
    } else if (c.op == DrawOp::Planet) {
      f.expect(c.planet != nullptr, "planet command without a planet", at);
    }
  }
  f.expect(!in_target, "target left open at the end of the frame",
           static_cast<double>(list.commands.size()));
  return f.result();
}

}  // namespace ventora::storm
