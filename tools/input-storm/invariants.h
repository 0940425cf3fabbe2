// What must hold after every frame, whatever the input: the game state's ranges and a draw list
// the renderer can execute. Each check returns the first thing it finds wrong, or nothing.
#pragma once

#include <optional>
#include <string>

#include "draw/draw_list.h"
#include "game/game_state.h"

namespace ventora::storm {

std::optional<std::string> check_state(const GameState& state);
std::optional<std::string> check_draw_list(const DrawList& list);

}  // namespace ventora::storm
