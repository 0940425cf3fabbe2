// Which texels of an n × n art target the planet's round body can reach and which it surely
// covers, band by band of rows. A texel belongs to the body when its corner lies within 0.49999 n
// of the centre (the layer shaders' cut-out); both answers keep a margin of 0.01 n for rounding.
// No GL here, so the geometry is testable on its own.
#pragma once

#include <vector>

namespace planet {

// Texel columns [begin, end); empty when end <= begin.
struct TexelSpan {
  int begin = 0, end = 0;
  bool empty() const { return end <= begin; }
};

struct BodyBand {
  int row0 = 0, row1 = 0;  // texel rows [row0, row1)
  TexelSpan reach;         // no texel of these rows outside it belongs to the body
  TexelSpan inside;        // every texel in it belongs to the body, in every row of the band
};

// The target's rows cut into bands of `rows` rows each (the last may be shorter).
std::vector<BodyBand> body_bands(int n, int rows);

}  // namespace planet
