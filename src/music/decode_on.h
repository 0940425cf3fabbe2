// Where the music decodes: on worker threads beside the game, or in small steps on the thread
// that drives the frames, each call doing a little and returning.
#pragma once

namespace ventora {

enum class DecodeOn { Workers, Frames };

// The browser build runs without threads; the desktop keeps its workers. Where a worker cannot be
// started, the music decodes on the frames all the same.
#ifdef __EMSCRIPTEN__
inline constexpr DecodeOn kDecodeOn = DecodeOn::Frames;
#else
inline constexpr DecodeOn kDecodeOn = DecodeOn::Workers;
#endif

}  // namespace ventora
