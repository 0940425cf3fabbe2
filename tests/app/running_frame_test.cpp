#include "app/running_frame.h"

#include <gtest/gtest.h>

namespace ventora {
namespace {

TEST(RunningFrame, DefeatCueFollowsEnteringAndLeavingDefeat) {
  struct Case {
    Screen previous, current;
    DefeatCueChange change;
  };
  const Case cases[] = {
      {Screen::Fight, Screen::Defeat, DefeatCueChange::Start},
      {Screen::CardChoice, Screen::Defeat, DefeatCueChange::Start},  // start damage
      {Screen::Defeat, Screen::Defeat, DefeatCueChange::None},
      {Screen::Defeat, Screen::Fight, DefeatCueChange::Release},     // restart
      {Screen::Victory, Screen::Fight, DefeatCueChange::None},       // restart from victory
      {Screen::Fight, Screen::StageClear, DefeatCueChange::None},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(defeat_cue_change(c.previous, c.current), c.change)
        << static_cast<int>(c.previous) << " -> " << static_cast<int>(c.current);
  }
}

}  // namespace
}  // namespace ventora
