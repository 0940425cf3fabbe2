// The bands of an art target that the painter uses to skip one of its two textures: what lies
// outside a band's reach must be outside the round body, and what lies inside must be in it.
#include "planet/gl/body_bands.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace planet {
namespace {

// A texel's corner in units of the target's side from its centre; the layers' cut-out keeps a
// texel when this is at most 0.49999.
double corner_distance(int n, int col, int row) {
  return std::hypot(col - n / 2.0, row - n / 2.0) / n;
}

TEST(BodyBands, ReachHoldsTheWholeBodyAndInsideHoldsOnlyTheBody) {
  for (const int n : {1, 2, 3, 7, 16, 64, 110, 111, 220}) {
    for (const int rows : {1, 4, 7, 500}) {
      SCOPED_TRACE("n " + std::to_string(n) + ", rows " + std::to_string(rows));
      const std::vector<BodyBand> bands = body_bands(n, rows);
      int next_row = 0;
      for (const BodyBand& band : bands) {
        ASSERT_EQ(band.row0, next_row);
        ASSERT_EQ(band.row1, std::min(n, band.row0 + rows));
        next_row = band.row1;
        EXPECT_GE(band.reach.begin, 0);
        EXPECT_LE(band.reach.end, n);
        if (!band.inside.empty()) {
          EXPECT_GE(band.inside.begin, band.reach.begin);
          EXPECT_LE(band.inside.end, band.reach.end);
        }
        for (int row = band.row0; row < band.row1; ++row) {
          for (int col = 0; col < n; ++col) {
            const double d = corner_distance(n, col, row);
            const bool in_reach = col >= band.reach.begin && col < band.reach.end;
            const bool inside = col >= band.inside.begin && col < band.inside.end;
            EXPECT_TRUE(in_reach || d > 0.5) << "texel " << col << ", " << row;
            EXPECT_TRUE(!inside || d <= 0.49 + 1e-12) << "texel " << col << ", " << row;
          }
        }
      }
      EXPECT_EQ(next_row, n);
    }
  }
}

// Both answers must also be worth having: at the game's art sizes the corners beyond the reach and
// the texels inside are most of the square.
TEST(BodyBands, LeaveOutTheCornersAndTakeInMostOfTheBody) {
  for (const int n : {64, 110, 220}) {
    SCOPED_TRACE("n " + std::to_string(n));
    long beyond = 0, inside = 0;
    for (const BodyBand& band : body_bands(n, 4)) {
      const long rows = band.row1 - band.row0;
      beyond += rows * (n - std::max(0, band.reach.end - band.reach.begin));
      inside += rows * std::max(0, band.inside.end - band.inside.begin);
    }
    const double square = static_cast<double>(n) * n;
    EXPECT_GT(beyond / square, 0.12);  // the corners are 21 % of the square
    EXPECT_GT(inside / square, 0.65);  // the body is 79 %
  }
}

TEST(BodyBands, NoBandsForAnEmptyTarget) {
  EXPECT_TRUE(body_bands(0, 4).empty());
  EXPECT_TRUE(body_bands(16, 0).empty());
}

}  // namespace
}  // namespace planet
