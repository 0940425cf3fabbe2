#include "game/draft.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <set>

#include "game/run.h"
#include "layout/overlay_geometry.h"
#include "random/rng.h"
#include "tests/support/play_frame.h"

namespace ventora {
namespace {

// The generator state right after srand(seed).
std::uint64_t seeded_state(std::uint64_t seed) {
  Pcg32 g;
  g.seed(seed);
  return g.state;
}

bool same_offer(const Offer& a, const Offer& b) {
  return std::equal(a.begin(), a.end(), b.begin(), [](const OfferedCard& x, const OfferedCard& y) {
    return x.card == y.card && x.rarity == y.rarity;
  });
}

// The HUD scale of the frame `input` reports, in the state's output mode.
HudScale hud_of(const GameState& state, const FrameInput& input) {
  return frame_geometry(state.render_settings.mode, input).hud;
}

GameState og_state() {
  GameState state;
  state.render_settings = render_settings_for(OutputMode::Og);
  return state;
}

FrameInput og_input() { return FrameInput{}; }

FrameInput hd1080_input() {
  FrameInput input;
  input.screen_width = 1920;
  input.screen_height = 1080;
  return input;
}

GameState hd1080_state() {
  GameState state;
  state.render_settings = render_settings_for(OutputMode::Hd1080);
  return state;
}

TEST(Draft, OffersThreeDifferentCardsWithTheRarityOdds) {
  Pcg32 rng;
  rng.seed(12345);
  std::array<int, 4> rarities{};
  std::set<Card> seen;
  const int offers = 4000;
  for (int n = 0; n < offers; ++n) {
    const Offer offer = draw_offer(rng);
    EXPECT_NE(offer[0].card, offer[1].card);
    EXPECT_NE(offer[0].card, offer[2].card);
    EXPECT_NE(offer[1].card, offer[2].card);
    for (const OfferedCard& o : offer) {
      ++rarities[static_cast<size_t>(o.rarity)];
      seen.insert(o.card);
    }
  }
  EXPECT_EQ(seen.size(), 24u);
  const double total = 3.0 * offers;
  EXPECT_NEAR(rarities[0] / total, 0.60, 0.02);
  EXPECT_NEAR(rarities[1] / total, 0.20, 0.02);
  EXPECT_NEAR(rarities[2] / total, 0.15, 0.02);
  EXPECT_NEAR(rarities[3] / total, 0.05, 0.01);
}

// Offers after a fixed seed, worked out separately from the shuffle and rarity rules: they pin
// the mask, the 255-wide draw, the rejection and the rarity thresholds.
TEST(Draft, OffersFromAFixedSeed) {
  Pcg32 rng;
  using C = Card;
  using R = Rarity;
  rng.seed(42);
  EXPECT_TRUE(same_offer(draw_offer(rng), {OfferedCard{R::Common, C::HeightAndSpeed},
                                        OfferedCard{R::Common, C::DoubleTrouble},
                                        OfferedCard{R::Rare, C::OverwhelmingOdds}}));
  EXPECT_TRUE(same_offer(draw_offer(rng), {OfferedCard{R::Rare, C::Weaken},
                                        OfferedCard{R::Common, C::HeightAndSpeed},
                                        OfferedCard{R::Uncommon, C::Confuse}}));
  rng.seed(0x0123456789abcdefULL);
  EXPECT_TRUE(same_offer(draw_offer(rng), {OfferedCard{R::Epic, C::LongLifeUnlikely},
                                        OfferedCard{R::Common, C::TickTock},
                                        OfferedCard{R::Common, C::Buff}}));
}

TEST(Draft, ReseedWithoutKeysMixesOnlyTheClockSeed) {
  Pcg32 rng;
  GameState state = og_state();
  state.entropy_seed = 0x0123456789abcdefULL;
  rng.seed(99);
  state.screen = Screen::StageClear;
  FrameInput input = og_input();
  input.press(Key::C);
  handle_stage_clear(state, rng, input, hud_of(state, input));
  EXPECT_TRUE(state.rng_reseeded);
  EXPECT_EQ(state.screen, Screen::CardChoice);
  // The offer was drawn from the reseeded generator. The seed was worked out by hand from the
  // mixing rule: no keys, the first draw after srand(99) spread and xored with the clock seed.
  rng.seed(0xd335282e52657a28ULL);
  EXPECT_TRUE(same_offer(draw_offer(rng), state.offer));

  // Once reseeded, a later stage clear draws straight from the generator as it stands.
  state.screen = Screen::StageClear;
  rng.seed(4242);
  handle_stage_clear(state, rng, input, hud_of(state, input));
  rng.seed(4242);
  EXPECT_TRUE(same_offer(draw_offer(rng), state.offer));
}

TEST(Draft, QuotaReachedMidFrameTakesKeysInNameOrderAndReseeds) {
  Pcg32 rng;
  GameState state = og_state();
  state.entropy_quota = 9;
  state.entropy_seed = 77;
  for (std::uint64_t k = 1; k <= 7; ++k) state.entropy_keys.push_back(k * 1000003);
  rng.seed(5);
  FrameInput input = og_input();
  // A key reported twice in one frame counts once: the frame's keys are a set.
  input.pressed_names = {"W", "Space", "A", "D", "A", "Key1"};
  collect_entropy(state, rng, input);
  ASSERT_EQ(state.entropy_keys.size(), 9u);
  EXPECT_EQ(state.entropy_keys[7], 0xb7573437c81be6a3ULL);  // "A"
  EXPECT_EQ(state.entropy_keys[8], 0x7a555e7b54e053d5ULL);  // "D"
  EXPECT_TRUE(state.rng_reseeded);
  // The seed the nine keys, the clock seed 77 and the first draw after srand(5) mix to, worked
  // out once outside the code.
  EXPECT_EQ(rng.state, seeded_state(0xd47e3d9958c346d6ULL));

  // After the reseed key presses are no longer gathered.
  collect_entropy(state, rng, input);
  EXPECT_EQ(state.entropy_keys.size(), 9u);
}

TEST(Draft, ContinueButtonBoundsIncludedAndScaled) {
  Pcg32 rng;
  struct Case {
    bool hd;
    Vec2 mouse;
    bool continues;
  };
  // OG: the button spans x 388..572, y 428..482. 1080p: x 776..1144, y 642..723.
  const Case cases[] = {
      {false, {388, 428}, true},   {false, {572, 482}, true},  {false, {387.5f, 450}, false},
      {false, {480, 482.5f}, false}, {true, {776, 642}, true}, {true, {1144, 723}, true},
      {true, {1144.5f, 700}, false}, {true, {775, 700}, false},
  };
  for (const Case& c : cases) {
    GameState state = c.hd ? hd1080_state() : og_state();
    state.screen = Screen::StageClear;
    state.rng_reseeded = true;
    FrameInput input = c.hd ? hd1080_input() : og_input();
    input.left_click = true;
    input.mouse = c.mouse;
    handle_stage_clear(state, rng, input, hud_of(state, input));
    EXPECT_EQ(state.screen == Screen::CardChoice, c.continues) << c.mouse.x << "," << c.mouse.y;
  }
}

TEST(Draft, CardBoxesAt1080p) {
  const HudScale s = hud_scale(make_frame_layout(OutputMode::Hd1080, 1920, 1080), 1920, 1080);
  for (int i = 0; i < 3; ++i) {
    const Rect box = card_box(s, i);
    EXPECT_FLOAT_EQ(box.w, 408);
    EXPECT_FLOAT_EQ(box.h, 459);
    EXPECT_FLOAT_EQ(box.y, 540 - 193.5f);
    if (i > 0) {
      const Rect left = card_box(s, i - 1);
      EXPECT_FLOAT_EQ(box.x - (left.x + left.w), 60);
    }
  }
  EXPECT_FLOAT_EQ(card_box(s, 0).x, 288);
  EXPECT_FLOAT_EQ(card_box(s, 2).x + card_box(s, 2).w, 1632);
}

// Picks run apply_pick and the next fight's set-up in the same frame.
TEST(Draft, ChoiceByKeyThenByClick) {
  struct Case {
    const char* label;
    std::vector<Key> keys;
    bool click;
    Vec2 mouse;
    int box;  // -1: nothing picked
  };
  // OG boxes: x 144..348, 378..582, 612..816; y 231..537.
  const std::vector<Case> cases = {
      {"1 and 3 together pick box 1", {Key::Num1, Key::Num3}, false, {}, 0},
      {"2", {Key::Num2}, false, {}, 1},
      {"key beats click", {Key::Num3}, true, {150, 300}, 2},
      {"click on the left edge of box 2", {}, true, {378, 231}, 1},
      {"click on the bottom right corner of box 3", {}, true, {816, 537}, 2},
      {"click in the gap", {}, true, {360, 300}, -1},
      {"click above the boxes", {}, true, {200, 230}, -1},
      {"hover without a click", {}, false, {200, 300}, -1},
      {"C does nothing here", {Key::C}, false, {}, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    GameState state = og_state();
    state.stage = 1;
    state.screen = Screen::CardChoice;
    state.offer = {OfferedCard{Rarity::Common, Card::Speedster},
                   OfferedCard{Rarity::Epic, Card::BounceHouse},
                   OfferedCard{Rarity::Rare, Card::Buff}};
    FrameInput input = og_input();
    for (Key k : c.keys) input.press(k);
    input.left_click = c.click;
    input.mouse = c.mouse;
    GameEvents events;
    handle_card_choice(state, input, hud_of(state, input), events);
    if (c.box < 0) {
      EXPECT_EQ(state.screen, Screen::CardChoice);
      EXPECT_TRUE(state.modifier_stack.picks.empty());
      EXPECT_FALSE(events.card_picked);
    } else {
      ASSERT_EQ(state.modifier_stack.picks.size(), 1u);
      EXPECT_EQ(state.modifier_stack.picks[0], state.offer[static_cast<size_t>(c.box)].card);
      EXPECT_EQ(events.card_picked, state.offer[static_cast<size_t>(c.box)].card);
      EXPECT_EQ(events.countdown_beat, 3);
      EXPECT_EQ(state.screen, Screen::Countdown);
      EXPECT_EQ(state.stage, 2u);
    }
  }
}

// A digit pressed together with C, or held on from then, picks nothing: only a key that goes
// down while the cards are shown counts.
TEST(Draft, DigitHeldAcrossTheScreenChangePicksNothing) {
  Pcg32 rng;
  GameState state = og_state();
  state.screen = Screen::StageClear;
  FrameInput both = og_input();
  both.press(Key::C);
  both.press(Key::Num2);
  play_frame(state, rng, both, 1.0f / 60);
  EXPECT_EQ(state.screen, Screen::CardChoice);
  FrameInput held = og_input();
  held.hold(Key::Num2);
  play_frame(state, rng, held, 1.0f / 60);
  EXPECT_EQ(state.screen, Screen::CardChoice);
  EXPECT_TRUE(state.modifier_stack.picks.empty());
  FrameInput press = og_input();
  press.press(Key::Num2);
  play_frame(state, rng, press, 1.0f / 60);
  EXPECT_EQ(state.screen, Screen::Countdown);
  EXPECT_EQ(state.modifier_stack.picks, std::vector<Card>{state.offer[1].card});
}

}  // namespace
}  // namespace ventora
