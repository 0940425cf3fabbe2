#include "game/run.h"

#include <algorithm>

#include "base/portable_trig.h"
#include "cards/modifier_stack.h"
#include "game/countdown.h"
#include "game/draft.h"
#include "game/fight.h"

namespace ventora {

namespace {

constexpr planet::Vec2f kStageLightOrigin{0.39f, 0.39f};

constexpr Color kConfettiColours[] = {
    Color::rgba8(255, 82, 103), Color::rgba8(255, 217, 88),  Color::rgba8(91, 221, 132),
    Color::rgba8(82, 170, 255), Color::rgba8(215, 92, 255), Color::rgba8(255, 255, 255),
};

// Copies the render settings' pixel count and dithering into the planet.
void hand_settings_to_planet(GameState& state) {
  if (!state.planet) return;
  planet::set_pixels(*state.planet, planet_pixel_count(state.render_settings));
  state.planet->should_dither = state.render_settings.planet_dither;
}

// Start damage of the fight set-up (Tit for Tat); a standing shield takes it instead.
// Returns true when the damage was taken.
bool deal_start_damage(GameState& state, GameEvents& events) {
  const std::int32_t damage = state.modifier_stack.fight.start_damage;
  state.modifier_stack.fight.start_damage = 0;
  if (damage <= 0) return false;
  if (use_shield_block(state.modifier_stack)) {
    events.shield_blocked = true;
    return false;
  }
  state.player_hp -= damage;
  events.player_hit = true;
  return true;
}

void countdown_step(GameState& state, float dt, GameEvents& events) {
  const int shown = countdown_number(state.countdown);
  state.countdown -= dt;
  if (state.countdown <= 0) {
    state.screen = Screen::Fight;
    events.clones_appeared = std::any_of(state.clones.begin(), state.clones.end(),
                                         [](const BossClone& clone) { return clone.active; });
  } else if (countdown_number(state.countdown) != shown) {
    events.countdown_beat = countdown_number(state.countdown);
  }
}

// The card timers run on every screen; Confuse's clock turns the controls over as it goes.
void tick_card_timers(GameState& state, float dt, GameEvents& events) {
  ModifierStack& stack = state.modifier_stack;
  const bool flipped = controls_flipped(stack);
  tick_cards(stack, dt, state.player_hp);
  if (controls_flipped(stack) != flipped) events.controls_flipped = !flipped;
}

// A frame of the run as it goes on (not restarted).
std::optional<WindowSize> continue_run(GameState& state, Pcg32& rng, const FrameInput& input,
                                       const FrameGeometry& geometry, float dt,
                                       GameEvents& events) {
  collect_entropy(state, rng, input);
  tick_card_timers(state, dt, events);
  const std::optional<WindowSize> window_size =
      window_size_request(state.render_settings, input.screen_width, input.screen_height);
  hand_settings_to_planet(state);
  if (state.screen == Screen::Victory) {
    // The confetti falls through the screen measured in scene units, so that it covers every
    // output mode alike; the drawing scales it to pixels.
    const float unit = scene_unit(geometry.layout);
    confetti_step(state, rng, dt, input.time, input.screen_width / unit,
                  input.screen_height / unit);
  }
  switch (state.screen) {
    case Screen::Fight: fight_step(state, input, dt, events); break;
    case Screen::StageClear: handle_stage_clear(state, rng, input, geometry.hud); break;
    case Screen::CardChoice: handle_card_choice(state, input, geometry.hud, events); break;
    case Screen::Countdown: countdown_step(state, dt, events); break;
    case Screen::Victory:
    case Screen::Defeat: break;
  }
  return window_size;
}

}  // namespace

bool is_prime(std::uint64_t n) {
  if (n < 2) return false;
  for (std::uint64_t d = 2; d <= n / d; ++d) {
    if (n % d == 0) return false;
  }
  return true;
}

std::uint64_t next_stage(std::uint64_t stage, std::uint64_t jump_count) {
  if (stage == kBonusStage) return kLastStage;
  if (stage == kBonusGateStage) return is_prime(jump_count) ? kBonusStage : kLastStage;
  return stage + 1 > kLastStage ? kLastStage : stage + 1;
}

StageInfo stage_info(std::uint64_t stage) {
  using planet::PlanetKind;
  // Stages 1..5 share one seed line; the bonus stage has its own seed.
  auto main_line_seed = [](std::uint64_t s) { return 0x112210F47DE98115ULL + 10007ULL * s; };
  switch (stage) {
    case 1: return {PlanetKind::RiverPlanet, main_line_seed(1), "Thule cheese"};
    case 2: return {PlanetKind::IslandPlanet, main_line_seed(2), "Lemurian Basil"};
    case 3: return {PlanetKind::GasGiant, main_line_seed(3), "Atlantean Anchovy"};
    case 4: return {PlanetKind::IcePlanet, main_line_seed(4), "Mu Pepperoni"};
    case kBonusStage: return {PlanetKind::IslandPlanet, 0x112210F47DE9CF54ULL, "Red Pepper"};
    default: return {PlanetKind::LavaPlanet, main_line_seed(kLastStage), "Hyperboran Jalapenos"};
  }
}

planet::Planet make_stage_planet(std::uint64_t stage, const RenderSettings& settings) {
  const StageInfo info = stage_info(stage);
  planet::PlanetParams params;
  params.seed = info.seed;
  params.light_origin = kStageLightOrigin;
  params.pixels = planet_pixel_count(settings);
  params.rotation = 0;
  params.time = 0;
  params.should_dither = settings.planet_dither;
  return planet::create_planet(info.kind, params);
}

GameState start_run(Pcg32& rng, ClockReading clock, OutputMode mode) {
  GameState state;
  state.backdrop_stars = make_backdrop_stars();
  // Drawn from the generator as it stands, before seeding; replaced before it is ever shown.
  state.offer = draw_offer(rng);
  state.render_settings = render_settings_for(mode);
  seed_run_from_clock(state, rng, clock);
  state.planet = make_stage_planet(1, state.render_settings);
  state.screen = Screen::Fight;
  state.stage = 1;
  return state;
}

void begin_fight(GameState& state, GameEvents& events) {
  state.stage = next_stage(state.stage, state.jump_count);
  reset_fight(state);
  start_fight_effects(state.modifier_stack, state.player_hp, state.boss_hp);
  place_clones(state);
  if (deal_start_damage(state, events) && state.player_hp <= 0) {
    state.screen = Screen::Defeat;
  } else {
    state.screen = Screen::Countdown;
    state.countdown = kCountInSeconds;
    events.countdown_beat = countdown_number(state.countdown);
  }
  state.planet = make_stage_planet(state.stage, state.render_settings);
  state.planet_time = 0;
}

void win_fight(GameState& state) {
  if (state.stage == kLastStage) {
    state.screen = Screen::Victory;
    return;
  }
  if (state.stage == kBonusStage) state.bonus_topping = true;
  fight_won(state.modifier_stack);
  state.screen = Screen::StageClear;
}

void lose_fight(GameState& state) { state.screen = Screen::Defeat; }

void confetti_step(GameState& state, Pcg32& rng, float dt, double time, float screen_width,
                   float screen_height) {
  for (int i = 0; i < 5; ++i) {
    const double u1 = rng.uniform(), u2 = rng.uniform(), u3 = rng.uniform(), u4 = rng.uniform(),
                 u5 = rng.uniform(), u6 = rng.uniform(), u7 = rng.uniform();
    ConfettiPiece piece;
    piece.x = static_cast<float>(u1 * screen_width);
    piece.y = static_cast<float>(u2 * 24.0 - 28.0);
    piece.vx = static_cast<float>(u3 * 84.0 - 42.0);
    piece.vy = static_cast<float>(u4 * 120.0 + 90.0);
    piece.size = static_cast<float>(u5 * 6.0 + 5.0);
    piece.colour = kConfettiColours[static_cast<size_t>(u6 * 6.0)];
    piece.sway_rate = static_cast<float>(u7 * 10.0 - 5.0);
    state.confetti.push_back(piece);
  }
  for (ConfettiPiece& piece : state.confetti) {
    piece.vy += 180.0f * dt;
    piece.x += piece.vx * dt;
    piece.y += piece.vy * dt;
    piece.x += static_cast<float>(portable_sin(time * piece.sway_rate)) * 20.0f * dt;
  }
  std::erase_if(state.confetti,
                [&](const ConfettiPiece& piece) { return piece.y >= screen_height + 40.0f; });
}

GameUpdate update_game(GameState& state, Pcg32& rng, const FrameInput& input,
                       const FrameGeometry& geometry, float dt, const ClockSource& clock) {
  const Screen begun = state.screen;
  GameUpdate update;
  if (input.is_pressed(Key::R)) {
    state = start_run(rng, clock(), state.render_settings.mode);
    update.events.restarted = true;
  } else {
    update.window_size = continue_run(state, rng, input, geometry, dt, update.events);
  }
  if (state.screen != begun) update.events.screen_change = ScreenChange{begun, state.screen};
  return update;
}

}  // namespace ventora
