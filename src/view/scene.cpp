// The scene of every screen: the star backdrop, the planet, the launch pads, the player, the boss
// and its clones; then the HUD and the overlay of the screen on top.
#include "view/scene.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "game/fight_rules.h"
#include "layout/frame_layout.h"
#include "layout/reference_layout.h"
#include "layout/snap.h"
#include "view/backdrop.h"
#include "view/control_hints.h"
#include "view/hud.h"
#include "view/palette.h"
#include "view/screens.h"

namespace ventora {

namespace {

// What every sprite needs: the planet centre, its radius in screen pixels, the scene unit and
// the snapping of the HD art pixel.
struct SceneFrame {
  Vec2 centre;
  float scale = kReferencePlanetRadius;
  float u = 1;
  Snap snap;
  double time = 0;  // the clock, for blinking, flashing and swaying
};

Vec2 on_circle(Vec2 centre, float radius, float angle) {
  return {centre.x + radius * std::cos(angle), centre.y + radius * std::sin(angle)};
}

Vec2 plus(Vec2 a, Vec2 b) { return {a.x + b.x, a.y + b.y}; }
Vec2 times(Vec2 v, float k) { return {v.x * k, v.y * k}; }

Color scaled_rgb(Color c, float k) { return {c.r * k, c.g * k, c.b * k, 1.0f}; }

// Clear, four faint orbit rings and the star spiral, all turning with the planet; `s` scales the
// whole pattern to the surface it is drawn on.
void draw_backdrop(Canvas& canvas, Vec2 centre, const std::vector<BackdropStar>& stars, float turn,
                   float s) {
  canvas.clear(palette::kNight);
  const float thickness = 2.0f * std::max(s, 1.0f);
  canvas.circle_lines(centre, 250 * s, thickness, {0.06f, 0.08f, 0.15f, 0.25f});
  canvas.circle_lines(centre, 340 * s, thickness, {0.06f, 0.095f, 0.15f, 0.25f});
  canvas.circle_lines(centre, 430 * s, thickness, {0.06f, 0.11f, 0.15f, 0.25f});
  canvas.circle_lines(centre, 520 * s, thickness, {0.06f, 0.125f, 0.15f, 0.25f});
  for (const BackdropStar& star : stars) {
    const float a = star.angle + turn;
    canvas.circle(on_circle(centre, star.radius * s, a), std::max(star.size * s, 1.0f),
                  {star.brightness, star.brightness, 0.84f, 1.0f});
  }
}

// The wind-up ring closing in on the far point, growing with the wind-up.
void draw_wind_up(Canvas& canvas, const SceneFrame& f, const LaunchPad& pad, float far) {
  const float u = f.u;
  const float k = std::clamp(pad.phase_time / kWindUpTime, 0.0f, 1.0f);
  canvas.circle_lines(f.snap(on_circle(f.centre, f.scale + 14 * u, far)), f.snap(18 * u + 24 * u * k),
                      f.snap.at_least_one(4 * u), {1.0f, 0.9f, 0.38f, 1 - 0.35f * k});
}

// The spike out of the far side of the planet: v = 0 hidden, 1 fully out.
void draw_spike(Canvas& canvas, const SceneFrame& f, float far, float v) {
  const float u = f.u;
  const Vec2 from = f.snap(on_circle(f.centre, f.scale - 28 * u, far));
  const Vec2 to = f.snap(on_circle(f.centre, f.scale + 56 * u * v, far));
  canvas.line(from, to, f.snap.at_least_one(15 * u), Color::rgba8(82, 54, 49));
  canvas.line(from, to, f.snap.at_least_one(8 * u), Color::rgba8(226, 194, 120));
  canvas.circle(to, f.snap(13 * u), Color::rgba8(250, 218, 132));
}

// A pad on the rim, its phase (wind-up ring or spike on the far side), and its key label.
void draw_launch_pad(Canvas& canvas, const SceneFrame& f, const LaunchPad& pad, float turn,
                     bool selected, std::optional<PadLayout> controller) {
  const float u = f.u;
  const float a = wrap_angle(pad.angle + turn);
  const float far = wrap_angle(strike_point(pad) + turn);
  const Vec2 q = f.snap(on_circle(f.centre, f.scale + 11 * u, a));
  canvas.circle(q, f.snap(14 * u), Color::rgba8(58, 43, 51));
  canvas.circle(q, f.snap(9 * u),
                selected ? Color::rgba8(246, 225, 107) : Color::rgba8(168, 150, 116));

  float spike = 0;
  switch (pad.phase) {
    case LaunchPhase::WindUp: draw_wind_up(canvas, f, pad, far); break;
    case LaunchPhase::Strike: spike = std::clamp(pad.phase_time / kStrikeTime, 0.0f, 1.0f); break;
    case LaunchPhase::Hold: spike = 1 - std::clamp(pad.phase_time / kHoldTime, 0.0f, 1.0f); break;
    case LaunchPhase::Idle:
    case LaunchPhase::Recover: break;
  }
  if (spike > 0) draw_spike(canvas, f, far, spike);

  // The pad that starts on the right fires after running right, the other after running left.
  const std::string_view label = launch_pad_label(std::cos(pad.angle) > 0, controller);
  const Vec2 at = f.snap(Vec2{q.x + 26 * u * std::cos(a) - 6 * u, q.y + 26 * u * std::sin(a) + 5 * u});
  const float font_size = std::trunc(std::clamp(f.snap(20 * u), 0.0f, 65535.0f));
  canvas.text(label, at, font_size, palette::kCream);
}

// The player on top of the planet, `height` screen pixels above the ground.
void draw_player(Canvas& canvas, const SceneFrame& f, float guard_time, float height,
                 bool shield_on) {
  const float u = f.u;
  const double t = f.time;
  const float x = f.snap(f.centre.x);
  const float y = f.snap(f.centre.y - (f.scale + 28 * u + height));
  const auto at = [&](float dx, float dy) { return f.snap(Vec2{x + dx * u, y + dy * u}); };

  if (shield_on) {
    const float s = 0.5f + 0.5f * static_cast<float>(std::sin(4 * t));
    const float radius = f.snap((28 + 4 * s) * u);
    const int fill_alpha = static_cast<int>(std::clamp(35 * s + 40, 0.0f, 255.0f));
    const int ring_alpha = static_cast<int>(std::clamp(80 * s + 120, 0.0f, 255.0f));
    canvas.circle(at(0, 4), radius, Color::rgba8(120, 200, 255, fill_alpha));
    canvas.circle_lines(at(0, 4), radius, f.snap.at_least_one(2 * u),
                        Color::rgba8(180, 230, 255, ring_alpha));
  }
  // While guarded the figure blinks eight times a second; the aura above keeps pulsing.
  if (guard_time > 0 && static_cast<long long>(std::floor(t * 16)) % 2 == 0) return;

  const bool white = std::fmod(t, 2.0) < 0.14;
  const Color main = white ? kWhite : Color::rgba8(0, 97, 177);
  const Color dark = white ? kWhite : Color::rgba8(0, 72, 138);
  canvas.circle(at(0, 4), f.snap(18 * u), main);
  canvas.circle(at(-7, -10), f.snap(9 * u), dark);
  canvas.circle(at(8, -9), f.snap(8 * u), dark);
  canvas.circle(at(-4, -13), f.snap.at_least_one(2.4f * u), kBlack);
  canvas.circle(at(8, -12), f.snap.at_least_one(2.4f * u), kBlack);
  canvas.triangle(at(-10, 17), at(10, 17), at(0, 31), Color::rgba8(230, 87, 75));
}

struct BossLook {
  float screen_angle = 0;
  std::int32_t pips = 0;
  float flash_time = 0;
  float guard_time = 0;
  Color colour;
};

// One boss figure standing on the rim at its screen angle, turned outwards, with screen-aligned
// hit-point pips above it.
void draw_boss_figure(Canvas& canvas, const SceneFrame& f, const BossLook& look) {
  const float u = f.u;
  const Vec2 n{std::cos(look.screen_angle), std::sin(look.screen_angle)};
  const Vec2 side{std::cos(look.screen_angle + kPi / 2), std::sin(look.screen_angle + kPi / 2)};
  const Vec2 p = f.snap(on_circle(f.centre, f.scale + 24 * u, look.screen_angle));
  // A point `along` out and `across` sideways from `from`, on the art-pixel grid.
  const auto offset = [&](Vec2 from, float along, float across) {
    return f.snap(plus(from, plus(times(n, along), times(side, across))));
  };
  const float wob = 7 * u * static_cast<float>(std::sin(12 * f.time));

  Color main = look.colour;
  if (look.flash_time > 0) {
    main = Color::rgba8(255, 245, 205);
  } else if (look.guard_time > 0) {
    main = Color::rgba8(116, 93, 139);
  }
  const Color dark = scaled_rgb(main, 0.68f);

  const Vec2 base = offset(p, -4 * u, 0);
  canvas.triangle(base, offset(p, wob, -45 * u), offset(p, 16 * u + wob, -15 * u), dark);
  canvas.triangle(base, offset(p, wob, 45 * u), offset(p, 16 * u + wob, 15 * u), dark);
  canvas.circle(p, f.snap(23 * u), main);
  const Vec2 head = offset(p, 13 * u, 0);
  canvas.circle(head, f.snap(13 * u), main);
  canvas.triangle(offset(p, 28 * u, 0), offset(head, 0, 7 * u), offset(head, 0, -7 * u),
                  Color::rgba8(231, 188, 72));
  const Vec2 eye = offset(p, 16 * u, -4 * u);
  canvas.circle(eye, f.snap.at_least_one(2.7f * u), kWhite);
  canvas.circle(offset(eye, 1.3f * u, 0), f.snap.at_least_one(1.5f * u), kBlack);
  for (std::int32_t i = 0; i < look.pips; ++i) {
    const Vec2 pip = f.snap(Vec2{p.x - 16 * u + 16 * u * static_cast<float>(i), p.y - 38 * u});
    canvas.circle(pip, f.snap.at_least_one(4.5f * u), Color::rgba8(225, 70, 80));
  }
}

Color boss_colour(std::uint64_t stage) {
  switch (stage) {
    case 1: return Color::rgba8(54, 45, 72);
    case 2: return Color::rgba8(189, 50, 58);
    case 3: return Color::rgba8(50, 145, 78);
    case 4: return Color::rgba8(56, 105, 210);
    case 6: return Color::rgba8(255, 168, 72);
    default: return Color::rgba8(207, 55, 255);
  }
}

// The boss, then its active clones, each a step darker by its slot in the list.
void draw_boss_and_clones(Canvas& canvas, const SceneFrame& f, const GameState& state) {
  const Color base = boss_colour(state.stage);
  const bool clone_fight = state.modifier_stack.fight.clone_active;
  if (state.boss_present) {
    draw_boss_figure(canvas, f,
                     {wrap_angle(state.boss_angle + state.planet_turn),
                      clone_fight ? 1 : state.boss_hp, state.boss_flash_time,
                      state.boss_guard_time, base});
  }
  for (size_t i = 0; i < state.clones.size(); ++i) {
    const BossClone& clone = state.clones[i];
    if (!clone.active) continue;
    const float brightness = 0.88f - std::min(0.06f * static_cast<float>(i), 0.24f);
    draw_boss_figure(canvas, f,
                     {wrap_angle(clone.angle + state.planet_turn), 1, state.boss_flash_time,
                      state.boss_guard_time, scaled_rgb(base, brightness)});
  }
}

// HD: the backdrop goes into the low-resolution target, which is then blown up over the screen.
void draw_hd_backdrop(const GameState& state, Canvas& canvas) {
  const std::optional<WindowSize> target = begin_backdrop_target(state.render_settings, canvas);
  if (!target) return;
  const float tw = static_cast<float>(target->width);
  const float th = static_cast<float>(target->height);
  draw_backdrop(canvas, {kPlanetCentreAcross * tw, kPlanetCentreDown * th}, state.backdrop_stars,
                state.planet_turn, tw / kReferenceWidth);
  canvas.end_target();
  canvas.blit_target(kBackdropTargetId,
                     {0, 0, canvas.screen_width(), canvas.screen_height()}, kWhite);
}

}  // namespace

void draw_scene(const GameState& state, Canvas& canvas, const FrameGeometry& geometry,
                std::optional<PadLayout> pad) {
  const float w = canvas.screen_width();
  const float h = canvas.screen_height();
  const std::optional<FrameLayout>& layout = geometry.layout;

  SceneFrame f;
  f.time = canvas.time();
  f.centre = {kPlanetCentreAcross * w, kPlanetCentreDown * h};
  float height = state.player_height;
  if (layout) {
    f.centre = layout->center;
    f.scale = layout->scale;
    f.snap = Snap{layout->pixel_size};
    height = state.player_height * h / kReferenceHeight;
    draw_hd_backdrop(state, canvas);
  } else {
    draw_backdrop(canvas, f.centre, state.backdrop_stars, state.planet_turn, 1);
  }
  f.u = f.scale / kReferencePlanetRadius;

  if (state.planet) {
    canvas.planet(*state.planet,
                  {f.centre.x - f.scale, f.centre.y - f.scale, 2 * f.scale, 2 * f.scale},
                  -state.planet_turn);
  }
  for (size_t i = 0; i < state.launch_pads.size(); ++i) {
    draw_launch_pad(canvas, f, state.launch_pads[i], state.planet_turn,
                    facing_pad(state.facing) == i, pad);
  }
  draw_player(canvas, f, state.player_guard_time, height, state.modifier_stack.shield_time > 0);
  draw_boss_and_clones(canvas, f, state);

  draw_hud(state, canvas, geometry, pad);
  draw_overlay(state, canvas, geometry, pad);
}

void draw_scene(const GameState& state, Canvas& canvas, std::optional<PadLayout> pad) {
  draw_scene(state, canvas,
             frame_geometry(state.render_settings.mode, canvas.screen_width(),
                            canvas.screen_height()),
             pad);
}

}  // namespace ventora
