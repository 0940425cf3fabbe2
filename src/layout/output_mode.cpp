#include "layout/output_mode.h"

namespace ventora {

namespace {

constexpr bool table_in_mode_order() {
  for (std::size_t i = 0; i < std::size(kOutputModes); ++i) {
    if (static_cast<std::size_t>(kOutputModes[i].mode) != i) return false;
  }
  return true;
}
static_assert(table_in_mode_order(), "mode_info indexes the table by the mode's number");

}  // namespace

std::string_view mode_word(OutputMode mode) { return mode_info(mode).word; }

std::optional<OutputMode> mode_from_word(std::string_view word) {
  for (const OutputModeInfo& info : kOutputModes) {
    if (info.word == word) return info.mode;
  }
  return std::nullopt;
}

std::string mode_words(std::string_view separator) {
  std::string words;
  for (const OutputModeInfo& info : kOutputModes) {
    if (!words.empty()) words += separator;
    words += info.word;
  }
  return words;
}

}  // namespace ventora
