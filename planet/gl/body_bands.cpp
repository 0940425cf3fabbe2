#include "planet/gl/body_bands.h"

#include <algorithm>
#include <cmath>

namespace planet {
namespace {

constexpr double kReachRadius = 0.51;   // beyond the cut-out at 0.49999, with room for rounding
constexpr double kInsideRadius = 0.49;  // within it, likewise

// Half the width of the circle of `radius` at `dy` from its centre, or -1 where it has none.
double half_width(double radius, double dy) {
  return dy > radius ? -1.0 : std::sqrt(radius * radius - dy * dy);
}

}  // namespace

std::vector<BodyBand> body_bands(int n, int rows) {
  std::vector<BodyBand> bands;
  if (n <= 0 || rows <= 0) return bands;
  const double centre = n / 2.0;
  for (int row0 = 0; row0 < n; row0 += rows) {
    const int row1 = std::min(n, row0 + rows);
    const int last = row1 - 1;
    // The band is widest at its row nearest the centre and narrowest at its row farthest away.
    const double nearest = row0 > centre ? row0 - centre : last < centre ? centre - last : 0.0;
    const double farthest = std::max(std::fabs(row0 - centre), std::fabs(last - centre));
    BodyBand band{row0, row1, {}, {}};
    if (const double half = half_width(kReachRadius * n, nearest); half >= 0) {
      band.reach = {std::max(0, static_cast<int>(std::floor(centre - half))),
                    std::min(n, static_cast<int>(std::ceil(centre + half)) + 1)};
    }
    if (const double half = half_width(kInsideRadius * n, farthest); half >= 0) {
      band.inside = {std::max(0, static_cast<int>(std::ceil(centre - half))),
                     std::min(n, static_cast<int>(std::floor(centre + half)) + 1)};
    }
    bands.push_back(band);
  }
  return bands;
}

}  // namespace planet
