#include "view/line_breaks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ventora {
namespace {

constexpr float kSize = 20;

float width(std::string_view text) { return measure_text(text, kSize).width; }

// Every line take_line makes of `text` in `room`, until nothing is left.
std::vector<std::string> lines_of(std::string_view text, std::initializer_list<std::string_view> joins,
                                  float room) {
  DrawList list;
  const Canvas canvas(list, 960, 720);
  std::vector<std::string> lines;
  while (!text.empty()) lines.push_back(take_line(canvas, text, joins, kSize, room));
  return lines;
}

TEST(LineBreaks, BreakAtTheFirstKindOfJoinThatFits) {
  const std::string text = "run: 100%\u00d7125% = 125% | jump: 100% = 100% | dmg 1 vs 1";
  struct Case {
    float room;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      // Room for everything: one line.
      {width(text), {text}},
      // Two pieces fit: the line ends at the second " | ", keeping its bar.
      {width("run: 100%\u00d7125% = 125% | jump: 100% = 100% |"),
       {"run: 100%\u00d7125% = 125% | jump: 100% = 100% |", "dmg 1 vs 1"}},
      // No piece fits whole: the first piece breaks at " = ", not at the narrower "×".
      {width("run: 100%\u00d7125% ="),
       {"run: 100%\u00d7125% =", "125% |", "jump: 100% =", "100% | dmg 1 vs 1"}},
      // Only a break at "×" fits.
      {width("run: 100%\u00d7"),
       {"run: 100%\u00d7", "125% =", "125% |", "jump: 100% =", "100% |", "dmg 1 vs 1"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(lines_of(text, {" | ", " = ", "\u00d7"}, c.room), c.lines) << c.room;
  }
}

TEST(LineBreaks, WhatFitsNowhereRunsToItsFirstJoin) {
  // Too narrow for any break: each line runs to the nearest join of any kind and overflows.
  EXPECT_EQ(lines_of("Cards: Overwhelming Odds, Buff", {", "}, 1),
            (std::vector<std::string>{"Cards: Overwhelming Odds,", "Buff"}));
  EXPECT_EQ(lines_of("a\u00d7b | c", {" | ", "\u00d7"}, 1),
            (std::vector<std::string>{"a\u00d7", "b |", "c"}));
  // Without joins a line is never broken.
  EXPECT_EQ(lines_of("Shield 8s", {}, 1), (std::vector<std::string>{"Shield 8s"}));
}

}  // namespace
}  // namespace ventora
