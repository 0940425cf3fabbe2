// The game's sound effects: what each is called and how many of it may sound at once. The build
// synthesises them in this order into one bank (soundtrack/effects), and the game plays them from
// it.
#pragma once

#include <array>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace ventora {

enum class SoundEffect : std::uint8_t {
  Jump,
  Land,
  PadWindUp,
  StrikeBoss,
  StrikeClone,
  StrikeMiss,
  BossHit,
  BossKnockedOut,
  PlayerHit,
  ShieldBlock,
  VampireHeal,
  ClonesAppear,
  CloneVanish,
  Tick,
  Tock,
  ConfuseFlip,
  ConfuseUnflip,
  CardHover,
  CardPick,
  CountdownTick,
  CountdownGo,
  StageClear,
  Victory,
  Count
};

inline constexpr std::size_t kSoundEffectCount = static_cast<std::size_t>(SoundEffect::Count);

// The effects of one frame, as a set: an event that happens twice in a frame sounds once.
using SoundEffects = std::bitset<kSoundEffectCount>;

constexpr std::size_t index_of(SoundEffect effect) { return static_cast<std::size_t>(effect); }

struct SoundEffectInfo {
  std::string_view name;  // for build logs and error lines
  int voices;             // instances of it that may sound at once; more are not started
};

inline constexpr std::array<SoundEffectInfo, kSoundEffectCount> kSoundEffects{{
    {"jump", 2},
    {"land", 2},
    {"pad wind-up", 2},
    {"strike on the boss", 1},
    {"strike on a clone", 2},
    {"strike on nothing", 2},
    {"boss hit", 1},
    {"boss knocked out", 1},
    {"player hit", 1},
    {"shield block", 1},
    {"vampire heal", 1},
    {"clones appear", 1},
    {"clone vanishes", 2},
    {"tick", 2},
    {"tock", 2},
    {"confuse flip", 1},
    {"confuse unflip", 1},
    {"card hover", 2},
    {"card pick", 1},
    {"countdown tick", 1},
    {"countdown go", 1},
    {"stage clear", 1},
    {"victory", 1},
}};

constexpr const SoundEffectInfo& info(SoundEffect effect) { return kSoundEffects[index_of(effect)]; }

}  // namespace ventora
