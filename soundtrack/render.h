// Renders a score offline with FluidSynth (no audio driver) into 44.1 kHz stereo 16-bit samples.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "soundtrack/score.h"

namespace ventora::soundtrack {

inline constexpr int kSampleRate = 44100;

// Exactly `frames` stereo sample frames, high-passed at 20 Hz, at a common loudness (-19 dBFS RMS) with
// peaks limited to -2 dBFS, and a short fade at the very end so nothing is cut mid-sound.
// Deterministic for a given score and soundfont.
std::vector<std::int16_t> render_score(const Score& score, const std::string& soundfont, std::size_t frames);

}  // namespace ventora::soundtrack
