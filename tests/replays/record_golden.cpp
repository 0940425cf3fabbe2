// Records the golden replays: short sessions played by the test bot, which the test suite checks
// with `ventora --replay FILE --check`. Run it again when a rule changes on purpose:
//   cmake --build build --target record-golden-replays && build/tests/replays/record-golden-replays
//   tests/replays
// The clock readings are fixed, so an unchanged game records the same files byte for byte.
#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>

#include "app/replay_playback.h"
#include "music/arriving_music.h"
#include "music/music_loading.h"
#include "tests/replays/bot_session.h"
#include "tests/support/bot.h"

namespace ventora::bot {
namespace {

constexpr ClockReading kClock{1765000000, 500};

SessionSetup setup(OutputMode mode, std::vector<ClockReading> clock_readings) {
  SessionSetup s;
  s.mode = mode;
  s.clock_readings = std::move(clock_readings);
  return s;
}

void fight_on(RecordedSession& session) {
  while (session.state().screen == Screen::Fight || session.state().screen == Screen::Countdown) {
    session.frame(fight_input(session.state(), 1.0f / 60.0f));
  }
}

void pick_by_key(RecordedSession& session, int box) {
  constexpr Key kKeys[] = {Key::Num1, Key::Num2, Key::Num3};
  constexpr const char* kNames[] = {"Key1", "Key2", "Key3"};
  session.press(kKeys[box], kNames[box]);
}

std::optional<std::string> fail(const std::string& what) {
  std::fprintf(stderr, "record-golden-replays: %s\n", what.c_str());
  return std::nullopt;
}

// How a recorded session ended, for the tool's report.
std::string ending(const GameState& state) {
  constexpr const char* kScreens[] = {"Fight",     "StageClear", "CardChoice",
                                      "Countdown", "Victory",    "Defeat"};
  return std::string("ends on stage ") + std::to_string(state.stage) + ", " +
         kScreens[static_cast<int>(state.screen)] + ", " +
         std::to_string(state.modifier_stack.picks.size()) + " cards";
}

// The first fight won, C, the bot's card picked with its number key, the count-in.
std::optional<std::string> first_fight_won(const std::string& path) {
  RecordedSession session(path, setup(OutputMode::Og, {kClock}));
  fight_on(session);
  if (session.state().screen != Screen::StageClear) return fail("the bot lost the first fight");
  session.press(Key::C, "C");
  pick_by_key(session, preferred_box(session.state()));
  session.idle(90);
  session.finish();
  return ending(session.state());
}

// Knocked out on the first stage, a while on the defeat panel, R (the restart reads the clock
// again), and a little of the new run.
std::optional<std::string> defeat_and_restart(const std::string& path) {
  RecordedSession session(path, setup(OutputMode::Hd1080, {kClock, {1765000042, 123456700}}));
  RunPlan plan;
  plan.give_up_at_stage = 1;
  session.play(plan);
  if (session.state().screen != Screen::Defeat) return fail("the bot was not knocked out");
  session.idle(60);
  session.press(Key::R, "R");
  for (int i = 0; i < 120; ++i) session.frame(fight_input(session.state(), 1.0f / 60.0f));
  session.finish();
  return ending(session.state());
}

// The first offer that holds the Clone card (the clock is tried second by second until one
// does), Clone picked, and the clone fight played to its end.
std::optional<std::string> clone_fight(const std::string& path) {
  for (std::int64_t s = 0; s < 200; ++s) {
    RecordedSession session(path,
                            setup(OutputMode::Hd720, {{kClock.seconds + s, kClock.nanoseconds}}));
    fight_on(session);
    if (session.state().screen != Screen::StageClear) continue;
    session.press(Key::C, "C");
    const Offer& offer = session.state().offer;
    const auto clone = std::find_if(offer.begin(), offer.end(),
                                    [](const OfferedCard& c) { return c.card == Card::Clone; });
    if (clone == offer.end()) continue;
    pick_by_key(session, static_cast<int>(clone - offer.begin()));
    if (session.state().clones.empty()) return fail("picking Clone made no clones");
    fight_on(session);
    session.idle(30);
    const std::string summary = "clock +" + std::to_string(s) + " s, " + ending(session.state());
    session.finish();
    return summary;
  }
  return fail("no clock reading offered the Clone card");
}

// A whole run through the bonus stage to the victory confetti, with the music on.
std::optional<std::string> whole_run_bonus(const std::string& path) {
  std::unique_ptr<AudioOut> audio = silent_audio_out();
  const LoadedMusic music = load_music(music_tracks(), defeat_cue_track(), *audio);
  if (!music.failures.empty()) return fail(music.failures.front().message);
  SessionSetup with_music = setup(OutputMode::Hd4k, {kClock});
  with_music.music = true;
  with_music.track_seconds = music.track_seconds;
  RecordedSession session(path, with_music);
  RunPlan plan;
  plan.route = Route::ThroughBonus;
  const RunRecord run = session.play(plan);
  if (session.state().screen != Screen::Victory) return fail("the bot did not win the whole run");
  if (std::find(run.stages.begin(), run.stages.end(), 6u) == run.stages.end())
    return fail("the run missed the bonus stage");
  session.idle(60);
  session.finish();
  return ending(session.state());
}

}  // namespace
}  // namespace ventora::bot

int main(int argc, char** argv) {
  using namespace ventora::bot;
  if (argc != 2) {
    std::fprintf(stderr, "usage: record-golden-replays <folder>\n");
    return 2;
  }
  const std::string folder = argv[1];
  struct Golden {
    const char* name;
    std::optional<std::string> (*record)(const std::string&);
  };
  const Golden goldens[] = {{"first-fight-won", first_fight_won},
                            {"defeat-and-restart", defeat_and_restart},
                            {"clone-fight", clone_fight},
                            {"whole-run-bonus", whole_run_bonus}};
  for (const Golden& golden : goldens) {
    const std::string path = folder + "/" + golden.name + ".vrep";
    const std::optional<std::string> ending = golden.record(path);
    if (!ending) return 1;
    std::printf("recorded %s: %s\n", path.c_str(), ending->c_str());
  }
  return 0;
}
