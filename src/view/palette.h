// The colours the scene, the heads-up display and the overlays share.
#pragma once

#include "base/values.h"

namespace ventora::palette {

constexpr Color kNight = Color::rgba8(8, 11, 24);       // the sky behind everything
constexpr Color kGold = Color::rgba8(245, 222, 128);    // titles, the stage label, frames
constexpr Color kCream = Color::rgba8(238, 235, 210);   // main texts
constexpr Color kSoft = Color::rgba8(185, 190, 203);    // secondary texts
constexpr Color kDim = Color::rgba8(155, 160, 175);     // tertiary texts

}  // namespace ventora::palette
