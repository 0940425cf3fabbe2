// The reference layout every number of the scene, HUD and overlays is written in: a 960 × 720
// screen with the planet's centre at half its width and 0.54 of its height, 165 units in radius.
// The HD modes scale it by the window size over the reference size.
#pragma once

namespace ventora {

constexpr float kReferenceWidth = 960.0f;
constexpr float kReferenceHeight = 720.0f;
constexpr float kReferencePlanetRadius = 165.0f;
// The planet's centre, as fractions of the screen's width and height.
constexpr float kPlanetCentreAcross = 0.5f;
constexpr float kPlanetCentreDown = 0.54f;

}  // namespace ventora
