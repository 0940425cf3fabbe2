#include "app/running_frame.h"

#include <gtest/gtest.h>

#include "app/sound_events.h"

namespace ventora {
namespace {

TEST(RunningFrame, DefeatCueFollowsEnteringAndLeavingDefeat) {
  struct Case {
    std::optional<ScreenChange> change;
    DefeatCueChange cue;
  };
  const Case cases[] = {
      {ScreenChange{Screen::Fight, Screen::Defeat}, DefeatCueChange::Start},
      {ScreenChange{Screen::CardChoice, Screen::Defeat}, DefeatCueChange::Start},  // start damage
      {std::nullopt, DefeatCueChange::None},                                     // Defeat stays
      {ScreenChange{Screen::Defeat, Screen::Fight}, DefeatCueChange::Release},     // restart
      {ScreenChange{Screen::Victory, Screen::Fight}, DefeatCueChange::None},  // restart from victory
      {ScreenChange{Screen::Fight, Screen::StageClear}, DefeatCueChange::None},
  };
  for (const Case& c : cases) {
    GameEvents events;
    events.screen_change = c.change;
    EXPECT_EQ(defeat_cue_change(events), c.cue)
        << (c.change ? static_cast<int>(c.change->from) * 10 + static_cast<int>(c.change->to) : -1);
  }
}

}  // namespace
}  // namespace ventora
