#include "game/draft.h"

#include <algorithm>
#include <bit>
#include <optional>
#include <string>
#include <vector>

#include "cards/modifier_stack.h"
#include "game/run.h"
#include "layout/overlay_geometry.h"
#include "random/siphash.h"

namespace ventora {

namespace {

constexpr std::uint64_t kSpread = 0xbf58476d1ce4e5b9ULL;

// SipHash-1-3 with a zero key over the name's bytes and one 0xFF byte.
std::uint64_t hash_key_name(const std::string& name) {
  std::vector<std::uint8_t> bytes(name.begin(), name.end());
  bytes.push_back(0xFF);
  return siphash(bytes, SipKey{0, 0}, 1, 3);
}

Rarity roll_rarity(Pcg32& rng) {
  const auto r = static_cast<std::uint32_t>(rng.uniform() * 100.0);
  if (r < 60) return Rarity::Common;
  if (r < 80) return Rarity::Uncommon;
  if (r < 95) return Rarity::Rare;
  return Rarity::Epic;
}

// The box picked this frame: digit keys first, then a click on a box.
std::optional<int> chosen_box(const FrameInput& input, const HudScale& hud) {
  if (input.is_pressed(Key::Num1)) return 0;
  if (input.is_pressed(Key::Num2)) return 1;
  if (input.is_pressed(Key::Num3)) return 2;
  if (!input.left_click) return std::nullopt;
  return card_box_at(hud, input.mouse);
}

}  // namespace

void collect_entropy(GameState& state, Pcg32& rng, const FrameInput& input) {
  if (state.rng_reseeded || input.pressed_names.empty()) return;
  // A set of keys, ordered by name byte by byte.
  std::vector<std::string> names = input.pressed_names;
  std::sort(names.begin(), names.end());
  names.erase(std::unique(names.begin(), names.end()), names.end());
  for (const std::string& name : names) {
    state.entropy_keys.push_back(hash_key_name(name));
    if (state.entropy_keys.size() >= state.entropy_quota) {
      reseed_generator(state, rng);
      return;
    }
  }
}

void reseed_generator(GameState& state, Pcg32& rng) {
  const std::uint64_t r = rng.next();
  std::uint64_t acc = state.entropy_seed;
  for (size_t i = 0; i < state.entropy_keys.size(); ++i) {
    const std::uint64_t k = state.entropy_keys[i];
    acc = (acc ^ std::rotl(k * kSpread, static_cast<int>(i % 8))) + k;
  }
  const std::uint64_t seed = std::uint64_t{state.entropy_keys.size()} ^ (r * kSpread) ^ acc;
  rng.seed(seed);
  state.rng_reseeded = true;
}

Offer draw_offer(Pcg32& rng) {
  std::array<Card, kCardCount> ids{};
  for (int i = 0; i < kCardCount; ++i) ids[static_cast<size_t>(i)] = static_cast<Card>(i);
  // Each entry swaps with an earlier one, picked by masked rejection.
  for (std::uint32_t i = 1; i < static_cast<std::uint32_t>(kCardCount); ++i) {
    const std::uint32_t mask = (1u << std::bit_width(i)) - 1;
    std::uint32_t j = 0;
    do {
      const auto b = static_cast<std::uint32_t>(rng.uniform() * 255.0);
      j = b & mask;
    } while (j >= i);
    std::swap(ids[i], ids[j]);
  }
  Offer offer{};
  for (size_t box = 0; box < offer.size(); ++box) {
    offer[box].card = ids[box];
    offer[box].rarity = roll_rarity(rng);
  }
  return offer;
}

void handle_stage_clear(GameState& state, Pcg32& rng, const FrameInput& input, const HudScale& hud) {
  const bool clicked = input.left_click && rect_contains(continue_button(hud), input.mouse);
  if (!input.is_pressed(Key::C) && !clicked) return;
  if (!state.rng_reseeded) reseed_generator(state, rng);
  state.offer = draw_offer(rng);
  state.screen = Screen::CardChoice;
}

void handle_card_choice(GameState& state, const FrameInput& input, const HudScale& hud,
                        GameEvents& events) {
  const std::optional<int> box = chosen_box(input, hud);
  if (!box) return;
  const Card card = state.offer[static_cast<size_t>(*box)].card;
  apply_pick(state.modifier_stack, card, state.player_hp);
  events.card_picked = card;
  begin_fight(state, events);
}

}  // namespace ventora
