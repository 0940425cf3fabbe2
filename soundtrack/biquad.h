// A second-order filter section, shared by the renderer's high-pass and the mix check's K-weighting.
#pragma once

namespace ventora::soundtrack {

// Direct form I with the coefficients normalised so that a0 = 1; the state starts at rest.
struct Biquad {
  double b0, b1, b2, a1, a2;
  double x1 = 0, x2 = 0, y1 = 0, y2 = 0;

  double run(double x) {
    const double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
    x2 = x1;
    x1 = x;
    y2 = y1;
    y1 = y;
    return y;
  }
};

}  // namespace ventora::soundtrack
