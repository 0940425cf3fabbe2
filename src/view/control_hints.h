// Every text that names a control, for the keyboard or, while the player uses one, for a
// controller with the names its maker prints on its buttons. The keyboard's texts are the ones
// the game always had.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/pad_input.h"

namespace ventora {

// The name printed on `button` of a pad with `layout` ("A", "Cross", "+", ...).
std::string_view pad_button_name(PadLayout layout, PadButton button);

// The HUD's line: how to run, jump and fire.
std::string controls_hint(std::optional<PadLayout> pad);
// The key over a launch pad: what selects it (the one that starts on the right, or the left one).
std::string_view launch_pad_label(bool right_pad, std::optional<PadLayout> pad);
// The stage-clear panel's prompt.
std::string continue_prompt(std::optional<PadLayout> pad);
// The card choice's prompt under its title.
std::string card_prompt(std::optional<PadLayout> pad);
// The end panels' prompts: after a defeat, and after a victory.
std::string retry_prompt(std::optional<PadLayout> pad);
std::string play_again_prompt(std::optional<PadLayout> pad);
// Where a strike lands, which no control names: the pause overlay and --help say it.
inline constexpr std::string_view kAimHint = "A launch pad's strike hits the far side of the planet.";
// The pause overlay's lines under its title: the controls, where a strike lands, then how to
// resume and quit.
std::vector<std::string> pause_lines(std::optional<PadLayout> pad);

}  // namespace ventora
