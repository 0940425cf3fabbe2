// Breaking a long line of joined pieces (the HUD's cards and stat lines) at its joins, so no
// piece of text is changed or lost, only continued on the next line.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "draw/canvas.h"

namespace ventora {

// Takes from the front of `rest` the longest line at `font_size` no wider than `room` that ends
// at a join, and leaves the remainder in `rest`. `joins` are tried in order: a later kind of
// join is used only when no break at an earlier kind fits. A join's trailing spaces end with
// the break; the rest of it (" |" of " | ", the "," of ", ") stays at the end of the line. When
// no break fits, the line runs to the first join of any kind, or takes all that is left.
std::string take_line(const Canvas& canvas, std::string_view& rest,
                      std::initializer_list<std::string_view> joins, float font_size, float room);

}  // namespace ventora
