// The count-in before every fight after the first: how long it runs, and when each of its
// numbers shows. The run counts it down; the countdown screen shows it.
#pragma once

namespace ventora {

constexpr float kCountInSeconds = 3.55f;
// "3" shows while more than this is left, then "2", then "1"; "GO!" for the rest.
constexpr float kShowThreeAbove = 2.55f;
constexpr float kShowTwoAbove = 1.55f;
constexpr float kShowOneAbove = 0.55f;

// The number showing with `countdown` seconds left: 3, 2 or 1, and 0 for "GO!".
constexpr int countdown_number(float countdown) {
  if (countdown > kShowThreeAbove) return 3;
  if (countdown > kShowTwoAbove) return 2;
  if (countdown > kShowOneAbove) return 1;
  return 0;
}

}  // namespace ventora
