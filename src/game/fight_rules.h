// The fixed numbers of the fight and the angle measure that strikes and contacts share, so the
// scene, the bot and the tests read them from one place.
#pragma once

#include "game/game_state.h"

namespace ventora {

// Running and jumping.
constexpr float kRunTurnRate = 1.65f;  // rad/s of planet turn at full run
constexpr float kGravity = 920.0f;     // units/s², times the gravity multiplier
constexpr float kJumpSpeed = 345.0f;   // units/s, times sqrt(jump × gravity)

// The boss.
constexpr float kBossStartAngle = kPi / 2;  // opposite the player while the planet is unturned
constexpr float kBossStartSpeed = 0.86f;
constexpr std::int32_t kBossStartHp = 3;
constexpr float kBossSpeedGain = 0.16f;
constexpr float kBossGuardTime = 0.75f;
constexpr float kBossFlashTime = 0.24f;

// Launch pads, strikes and contact.
constexpr float kWindUpTime = 0.34f;
constexpr float kStrikeTime = 0.18f;
constexpr float kHoldTime = 0.28f;
constexpr float kRecoverTime = 0.22f;
constexpr float kStrikeReach = 0.28f;   // inclusive
constexpr float kContactReach = 0.22f;  // exclusive
// Angles near 2π carry a rounding error of a few 1e-7 rad, so a boss placed exactly at a reach
// can measure a hair inside or outside it. This margin makes the edge count as written: a strike
// at exactly its reach hits, a contact at exactly its reach does not.
constexpr float kReachMargin = 1e-6f;
constexpr float kContactHeight = 24.0f;  // highest player height that can still be touched
constexpr float kPlayerScreenAngle = 3 * kPi / 2;  // the top of the planet
constexpr float kPlayerGuardTime = 1.0f;
constexpr float kContactPush = 0.48f;

// Whether an angular distance lies within the strike reach (edge included).
inline bool within_strike_reach(float distance) { return distance <= kStrikeReach + kReachMargin; }
// Whether an angular distance lies within the contact reach (edge excluded).
inline bool within_contact_reach(float distance) { return distance < kContactReach - kReachMargin; }
// How long a pad stays in `phase`; Idle lasts until fired.
float phase_length(LaunchPhase phase);
// The shorter way round between two angles, in [0, π].
float angular_distance(float a, float b);
// The planet angle a pad strikes: the point of the surface opposite itself.
float strike_point(const LaunchPad& pad);

}  // namespace ventora
