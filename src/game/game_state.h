// GameState: the whole run in one record. The frame loop owns one; a restart replaces it whole.
#pragma once

#include <array>
#include <cstdint>
#include <numbers>
#include <optional>
#include <vector>

#include "cards/catalogue.h"
#include "cards/modifier_stack.h"
#include "layout/render_settings.h"
#include "planet/core/planet.h"

namespace ventora {

constexpr float kPi = std::numbers::pi_v<float>;
constexpr float kTau = 2.0f * kPi;

// Keeps an angle in [0, 2π).
float wrap_angle(float a);

enum class Screen : std::uint8_t { Fight, StageClear, CardChoice, Countdown, Victory, Defeat };

// The last run direction. Stored in 64 bits, as replays hash it.
enum class Facing : std::uint64_t { Left = 0, Right = 1 };

enum class LaunchPhase : std::uint8_t { Idle, WindUp, Strike, Hold, Recover };

struct LaunchPad {
  float angle = 0;
  float phase_time = 0;
  LaunchPhase phase = LaunchPhase::Idle;
};

// Pad 0 sits at planet angle 0 and pad 1 opposite it, both idle: every fight starts so.
constexpr std::array<LaunchPad, 2> kStartLaunchPads{LaunchPad{0, 0, LaunchPhase::Idle},
                                                    LaunchPad{kPi, 0, LaunchPhase::Idle}};

// The pad the player fires and the scene shows selected: pad 0 facing left, pad 1 facing right.
constexpr size_t facing_pad(Facing facing) { return facing == Facing::Right ? 1 : 0; }

struct BossClone {
  float angle = 0;
  float reverse_time = 0;
  bool active = true;
};

struct BackdropStar {
  float angle = 0;
  float radius = 0;
  float size = 0;
  float brightness = 0;
};

// Position, speeds and size in scene units (screen pixels in OG output).
struct ConfettiPiece {
  Color colour;
  float x = 0, y = 0;
  float vx = 0, vy = 0;
  float size = 0;
  float sway_rate = 0;
};

struct OfferedCard {
  Rarity rarity = Rarity::Common;
  Card card = Card::DoubleTrouble;
};
using Offer = std::array<OfferedCard, 3>;

constexpr size_t kEntropyKeyRoom = 12;

// Stages 1 to 5 are the main line; winning the last ends the run. A prime jump count when stage 4
// is won opens the bonus stage, which leads back to the last.
constexpr std::uint64_t kLastStage = 5;
constexpr std::uint64_t kBonusStage = 6;
constexpr std::uint64_t kBonusGateStage = 4;

// Replays hash every field (src/replay/state_hash.cpp); a new field does not build until it is
// hashed there too.
struct GameState {
  Screen screen = Screen::Fight;
  std::uint64_t stage = 1;
  std::uint64_t jump_count = 0;
  bool bonus_topping = false;
  float countdown = 0;

  float planet_turn = 0;
  Facing facing = Facing::Left;
  float player_height = 0;
  float player_vspeed = 0;
  std::int32_t player_hp = 3;
  float player_guard_time = 0;

  float boss_angle = kPi / 2;
  float boss_speed = 0.86f;
  std::int32_t boss_hp = 3;
  bool boss_present = true;
  float boss_guard_time = 0;
  float boss_flash_time = 0;
  std::vector<BossClone> clones;

  std::array<LaunchPad, 2> launch_pads = kStartLaunchPads;

  Offer offer{};
  ModifierStack modifier_stack;

  std::vector<std::uint64_t> entropy_keys;
  std::uint64_t entropy_seed = 0;
  std::uint64_t entropy_quota = 9;
  bool rng_reseeded = false;

  std::optional<planet::Planet> planet;
  float planet_time = 0;

  RenderSettings render_settings;
  std::vector<BackdropStar> backdrop_stars;
  std::vector<ConfettiPiece> confetti;
};

// The fixed spiral of 90 backdrop stars, the same in every run.
std::vector<BackdropStar> make_backdrop_stars();

}  // namespace ventora
