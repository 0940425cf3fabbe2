// Every record is taken apart with a structured binding that names all its fields (HASH_FIELDS): a
// field added to a record and not hashed here stops the build ("N names provided, M expected").
#include "replay/state_hash.h"

#include <array>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "random/rng.h"
#include "random/siphash.h"
#include "replay/bytes.h"

namespace ventora::replay {

namespace {

template <class T>
struct IsVector : std::false_type {};
template <class T>
struct IsVector<std::vector<T>> : std::true_type {};
template <class T>
struct IsOptional : std::false_type {};
template <class T>
struct IsOptional<std::optional<T>> : std::true_type {};
template <class T>
struct IsArray : std::false_type {};
template <class T, std::size_t N>
struct IsArray<std::array<T, N>> : std::true_type {};

// The bytes that go into the hash, in field order. Lists carry their length and optionals a
// presence byte, so that moving a value from one field to the next changes the hash.
class StateFeed {
 public:
  template <class... T>
  void add(const T&... values) {
    (put(values), ...);
  }
  const std::vector<std::uint8_t>& bytes() const { return bytes_; }

 private:
  template <class T>
  void put(const T& value) {
    if constexpr (std::is_same_v<T, bool>) {
      integer(value ? 1u : 0u, 1);
    } else if constexpr (std::is_enum_v<T>) {
      put(static_cast<std::underlying_type_t<T>>(value));
    } else if constexpr (std::is_same_v<T, float>) {
      integer(copy_bits<std::uint32_t>(value), 4);
    } else if constexpr (std::is_same_v<T, double>) {
      integer(copy_bits<std::uint64_t>(value), 8);
    } else if constexpr (std::is_integral_v<T>) {
      integer(static_cast<std::uint64_t>(value), sizeof(T));
    } else if constexpr (std::is_same_v<T, std::string>) {
      integer(value.size(), 8);
      bytes_.insert(bytes_.end(), value.begin(), value.end());
    } else if constexpr (IsVector<T>::value) {
      integer(value.size(), 8);
      for (const auto& item : value) put(item);
    } else if constexpr (IsArray<T>::value) {
      for (const auto& item : value) put(item);
    } else if constexpr (IsOptional<T>::value) {
      integer(value.has_value() ? 1u : 0u, 1);
      if (value) put(*value);
    } else {
      fields(*this, value);  // a record: one overload below per record type
    }
  }
  void integer(std::uint64_t value, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i)
      bytes_.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
  }

  std::vector<std::uint8_t> bytes_;
};

// Names every field of the record `v` once: the structured binding stops the build when the record
// has a field the list leaves out, and every field named is fed.
#define HASH_FIELDS(...)         \
  const auto& [__VA_ARGS__] = v; \
  f.add(__VA_ARGS__)

void fields(StateFeed& f, const Color& v) { HASH_FIELDS(r, g, b, a); }

void fields(StateFeed& f, const LaunchPad& v) { HASH_FIELDS(angle, phase_time, phase); }

void fields(StateFeed& f, const BossClone& v) { HASH_FIELDS(angle, reverse_time, active); }

void fields(StateFeed& f, const BackdropStar& v) { HASH_FIELDS(angle, radius, size, brightness); }

void fields(StateFeed& f, const ConfettiPiece& v) {
  HASH_FIELDS(colour, x, y, vx, vy, size, sway_rate);
}

void fields(StateFeed& f, const OfferedCard& v) { HASH_FIELDS(rarity, card); }

void fields(StateFeed& f, const Modifier& v) {
  HASH_FIELDS(card, kind, value, extra, fights_left, seconds_left, pending);
}

void fields(StateFeed& f, const FightCardEffects& v) {
  HASH_FIELDS(buff_bonus, weaken_time, weaken_bonus, confuse_clock, confuse_period, start_damage,
              confuse_active, clone_active);
}

void fields(StateFeed& f, const ModifierStack& v) {
  HASH_FIELDS(modifiers, picks, shield_time, shield_blocks, regen_time, regen_clock, regen_period,
              regen_heal, tick_tock_high, fight);
}

void fields(StateFeed& f, const RenderSettings& v) {
  // Whether HD is on follows from the output mode, but it keeps the byte it always had in the hash.
  const auto& [planet_pixels, planet_dither, mode] = v;
  f.add(planet_pixels, hd_on(v), planet_dither, mode);
}

void fields(StateFeed& f, const planet::Rgba8& v) { HASH_FIELDS(r, g, b, a); }

void fields(StateFeed& f, const planet::Vec2f& v) { HASH_FIELDS(x, y); }

void fields(StateFeed& f, const planet::PlanetLayer& v) { HASH_FIELDS(name, visible); }

void fields(StateFeed& f, const planet::Planet& v) {
  HASH_FIELDS(kind, colors, layers, seed, light_origin, pixels, rotation, time, should_dither,
              cloud_cover);
}

void fields(StateFeed& f, const GameState& v) {
  HASH_FIELDS(screen, stage, jump_count, bonus_topping, countdown, planet_turn, facing,
              player_height, player_vspeed, player_hp, player_guard_time, boss_angle, boss_speed,
              boss_hp, boss_present, boss_guard_time, boss_flash_time, clones, launch_pads, offer,
              modifier_stack, entropy_keys, entropy_seed, entropy_quota, rng_reseeded, planet,
              planet_time, render_settings, backdrop_stars, confetti);
}

#undef HASH_FIELDS

// A fixed key: the hash only has to tell states apart, not resist an attacker.
constexpr SipKey kStateKey{0x76656e746f726121ULL, 0x7265706c61792121ULL};

}  // namespace

std::uint64_t state_hash(const GameState& state, const Pcg32& rng) {
  StateFeed feed;
  feed.add(state, rng.state);
  return siphash(feed.bytes(), kStateKey, 2, 4);
}

}  // namespace ventora::replay
