// The output modes: the plain 960 × 720 window (OG) or chunky pixel art in a 720p, 1080p or 4K
// window (HD). One table holds everything a mode decides: the word that names it on the command
// line and in replays, its window, its backdrop target, its art pixel and its planet's pixel count.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "layout/reference_layout.h"

namespace ventora {

struct WindowSize {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  friend bool operator==(const WindowSize&, const WindowSize&) = default;
};

// The numbers are the modes' preset numbers, which the state hash stores.
enum class OutputMode : std::uint8_t { Og = 0, Hd720 = 1, Hd1080 = 2, Hd4k = 3 };

// The mode a game plays in when none, or none it knows, was asked for.
inline constexpr OutputMode kDefaultOutputMode = OutputMode::Hd720;

struct OutputModeInfo {
  OutputMode mode;
  std::string_view word;
  WindowSize window;
  // The low-resolution target the backdrop is painted into: the window divided by `pixel_size`,
  // so that one target pixel is one art pixel. None in OG, which paints it on the screen.
  std::optional<WindowSize> backdrop;
  int pixel_size;  // screen pixels per art pixel; OG draws unsnapped and does not use it
  float planet_pixels;  // the planet's pixel count at the start of a run
};

inline constexpr OutputModeInfo kOutputModes[] = {
    // The plain window is the reference layout at its own size.
    {OutputMode::Og,
     "og",
     {static_cast<std::uint32_t>(kReferenceWidth), static_cast<std::uint32_t>(kReferenceHeight)},
     std::nullopt,
     1,
     180},
    {OutputMode::Hd720, "hd720", {1280, 720}, WindowSize{640, 360}, 2, 110},
    {OutputMode::Hd1080, "hd1080", {1920, 1080}, WindowSize{480, 270}, 4, 110},
    {OutputMode::Hd4k, "hd4k", {3840, 2160}, WindowSize{480, 270}, 8, 110},
};

constexpr const OutputModeInfo& mode_info(OutputMode mode) {
  return kOutputModes[static_cast<std::size_t>(mode)];
}

std::string_view mode_word(OutputMode mode);
// The mode a word names, compared byte for byte; nothing for any other word.
std::optional<OutputMode> mode_from_word(std::string_view word);
// Every mode's word in table order, joined by `separator`: "og|hd720|hd1080|hd4k" for "|".
std::string mode_words(std::string_view separator);

}  // namespace ventora
