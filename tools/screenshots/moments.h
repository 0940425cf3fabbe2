// Which frames of the whole-run bot's play the screenshots picture, and what those frames draw.
// The screenshots tool and the browser's picture check both take their scenes from here, so that
// the browser draws exactly the fight docs/screens shows.
#pragma once

#include <optional>
#include <string_view>

#include "base/frame_input.h"
#include "draw/draw_list.h"
#include "game/game_state.h"
#include "game/run_seed.h"
#include "layout/output_mode.h"
#include "tests/support/run_bot.h"

namespace ventora {

// Every pictured run starts from this clock, so the pictures do not change from day to day.
inline constexpr ClockReading kPictureClock{1765000000, 0};

// The name ("fight", "stage-clear", …) a frame of the bot's run is pictured under, if any; a run
// is pictured under each name at the first frame that has it. Victory and defeat are pictured
// after the run, not from its frames.
std::optional<std::string_view> pictured_screen(const GameState& state);

// The bot's plan for the pictured run: through the bonus stage, so that every screen shows.
bot::RunPlan pictured_run_plan();

// What the window shows after this frame.
DrawList frame_drawing(const GameState& state, const FrameInput& input);

// A frame of the run as it was: what it draws is frame_drawing(state, input), whose commands
// point into `state`.
struct PicturedFrame {
  GameState state;
  FrameInput input;
};

// The frame `<mode>-fight.png` pictures: the pictured run in `mode`, to its first fight frame.
// Nothing when the run never gets there.
std::optional<PicturedFrame> pictured_fight(OutputMode mode);

}  // namespace ventora
