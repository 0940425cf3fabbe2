#include "tests/support/bot.h"

#include <cmath>
#include <limits>
#include <vector>

#include "cards/modifier_stack.h"
#include "game/fight_rules.h"
#include "game/run.h"
#include "tests/support/play_frame.h"

namespace ventora::bot {

namespace {

// Something the strikes can hit and that can touch the player: its planet angle and its speed.
struct Enemy {
  float angle = 0;
  float speed = 0;
};

// The signed way from `b` to `a`, in (-π, π].
float signed_offset(float a, float b) { return wrap_angle(a - b + kPi) - kPi; }

std::vector<Enemy> enemies(const GameState& state) {
  std::vector<Enemy> out;
  if (state.boss_present) out.push_back({state.boss_angle, state.boss_speed});
  for (const BossClone& clone : state.clones) {
    if (!clone.active) continue;
    out.push_back({clone.angle, clone.reverse_time > 0 ? -state.boss_speed : state.boss_speed});
  }
  return out;
}

// Frames from firing until the strike lands: the pad's clock starts in the firing frame and the
// wind-up ends on the frame its time is reached.
int wind_up_frames(float dt) {
  float t = 0;
  int frames = 0;
  do {
    t += dt;
    ++frames;
  } while (t < kWindUpTime && frames < 100000);
  return frames;
}

// The pad to fire this frame, or -1: an idle pad whose strike lands on an enemy as it reaches the
// strike point, and only if the boss will no longer be guarded by then.
int pad_to_fire(const GameState& state, const std::vector<Enemy>& targets, float dt) {
  const int frames = wind_up_frames(dt);
  const float lead = dt * static_cast<float>(frames);
  if (state.boss_guard_time >= lead) return -1;
  for (int k = 0; k < 2; ++k) {
    const LaunchPad& pad = state.launch_pads[static_cast<size_t>(k)];
    if (pad.phase != LaunchPhase::Idle) continue;
    for (const Enemy& e : targets) {
      const float landing = wrap_angle(e.angle + e.speed * lead);
      const float offset = signed_offset(landing, strike_point(pad)) * (e.speed < 0 ? -1.0f : 1.0f);
      // The first frame at which the enemy will be at or just past the middle of the strike.
      if (offset >= 0 && offset < std::fabs(e.speed) * dt + 1e-4f) return k;
    }
  }
  return -1;
}

// Where on the planet the player would rather stand: as far as possible from every enemy a
// moment from now.
float safest_angle(const std::vector<Enemy>& targets, float ahead) {
  float best = 0;
  float best_gap = -1;
  constexpr int kSamples = 72;
  for (int i = 0; i < kSamples; ++i) {
    const float candidate = kTau * static_cast<float>(i) / kSamples;
    float gap = std::numeric_limits<float>::max();
    for (const Enemy& e : targets) {
      gap = std::min(gap, std::fabs(signed_offset(candidate, e.angle + e.speed * ahead)));
    }
    if (gap > best_gap) {
      best_gap = gap;
      best = candidate;
    }
  }
  return best;
}

}  // namespace

FrameInput idle_input(const GameState& state, double time) {
  FrameInput input;
  const WindowSize size = target_window_size(state.render_settings);
  input.screen_width = static_cast<float>(size.width);
  input.screen_height = static_cast<float>(size.height);
  input.time = time;
  return input;
}

FrameInput fight_input(const GameState& state, float dt) {
  FrameInput input;
  if (state.screen != Screen::Fight) return input;
  const std::vector<Enemy> targets = enemies(state);
  if (targets.empty()) return input;

  // The player stands at the top of the screen: planet angle 3π/2 minus the turn. Running right
  // moves that spot forwards over the planet.
  const float player = wrap_angle(kPlayerScreenAngle - state.planet_turn);
  const float way = signed_offset(safest_angle(targets, 0.3f), player);
  if (way > 0.15f) input.hold(Key::D);
  if (way < -0.15f) input.hold(Key::A);

  // Jump over an enemy that will reach the player anyway, timed so the player is at the top of
  // the jump when it passes underneath.
  const float run = kRunTurnRate * effective_run(aggregate_stats(state.modifier_stack));
  const float player_speed = input.is_held(Key::D) ? run : input.is_held(Key::A) ? -run : 0.0f;
  const float apex_time = kJumpSpeed / kGravity;
  for (const Enemy& e : targets) {
    const float closing = e.speed - player_speed;
    const float time_to_player = -signed_offset(e.angle, player) / closing;
    if (state.player_height <= 0 && time_to_player > 0 && time_to_player <= apex_time) {
      input.press(Key::Space);
      input.pressed_names.push_back("Space");
      break;
    }
  }

  // The run key of the fire frame picks the pad: A for pad 0, D for pad 1.
  const int pad = pad_to_fire(state, targets, dt);
  if (pad >= 0) {
    input.held.reset(static_cast<size_t>(Key::A));
    input.held.reset(static_cast<size_t>(Key::D));
    input.hold(pad == 0 ? Key::A : Key::D);
    input.press(Key::J);
    input.pressed_names.push_back("J");
  }
  return input;
}

int play_fight(GameState& state, Pcg32& rng, float dt, int max_frames, double* time) {
  double clock = time ? *time : 0.0;
  int frames = 0;
  while (frames < max_frames &&
         (state.screen == Screen::Fight || state.screen == Screen::Countdown)) {
    FrameInput input = fight_input(state, dt);
    const FrameInput frame = idle_input(state, clock);
    input.screen_width = frame.screen_width;
    input.screen_height = frame.screen_height;
    input.time = clock;
    play_frame(state, rng, input, dt);
    clock += dt;
    ++frames;
  }
  if (time) *time = clock;
  return frames;
}

}  // namespace ventora::bot
