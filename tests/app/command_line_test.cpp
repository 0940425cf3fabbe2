#include "app/command_line.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

namespace ventora {
namespace {

struct ModeCase {
  std::vector<std::string_view> args;
  OutputMode mode;
  std::vector<std::string> notes;
};

// Every mode form and mistake: the game starts anyway, with one line saying what it did instead.
TEST(CommandLine, ModeAndNotesForWhatItCannotHonour) {
  const auto og = OutputMode::Og, hd720 = OutputMode::Hd720, hd1080 = OutputMode::Hd1080,
             hd4k = OutputMode::Hd4k;
  const ModeCase cases[] = {
      {{"ventora"}, hd720, {}},
      {{"ventora", "--mode", "og"}, og, {}},
      {{"ventora", "--mode", "hd720"}, hd720, {}},
      {{"ventora", "--mode", "hd1080"}, hd1080, {}},
      {{"ventora", "--mode", "hd4k"}, hd4k, {}},
      {{"ventora", "--mode", "4k"}, hd720, {"ventora: unknown mode '4k' (og, hd720, hd1080, hd4k); playing in hd720"}},
      {{"ventora", "--mode", "HD4K"}, hd720, {"ventora: unknown mode 'HD4K' (og, hd720, hd1080, hd4k); playing in hd720"}},
      {{"ventora", "--mode"}, hd720, {"ventora: --mode needs a value (og, hd720, hd1080, hd4k); playing in hd720"}},
      // The first --mode decides, so a later one, good or bad, changes nothing.
      {{"ventora", "--mode", "og", "--mode", "x"}, og, {}},
      {{"ventora", "--mode", "og", "--mode", "hd4k"}, og, {}},
      {{"ventora", "--mode", "og", "--mode"}, og, {}},
      {{"ventora", "--mode", "x", "--mode", "hd4k"}, hd720, {"ventora: unknown mode 'x' (og, hd720, hd1080, hd4k); playing in hd720"}},
      // "--mode" is the first pair's value: no mode, and "og" is a stray word.
      {{"ventora", "--mode", "--mode", "og"}, hd720,
       {"ventora: unknown mode '--mode' (og, hd720, hd1080, hd4k); playing in hd720", "ventora: unknown option 'og' (see --help)"}},
      {{"ventora", "--mode=hd4k"}, hd720, {"ventora: unknown option '--mode=hd4k' (write --mode hd4k); playing in hd720"}},
      // The note names the mode the game plays in, even when that comes later on the line.
      {{"ventora", "--mode=hd4k", "--mode", "og"}, og, {"ventora: unknown option '--mode=hd4k' (write --mode hd4k); playing in og"}},
      {{"ventora", "--frobnicate"}, hd720, {"ventora: unknown option '--frobnicate' (see --help)"}},
      {{"ventora", "--fps", "fast"}, hd720, {"ventora: --fps needs a whole number of frames a second (0 = no cap)"}},
      {{"ventora", "--fps", "-3"}, hd720, {"ventora: --fps needs a whole number of frames a second (0 = no cap)"}},
      {{"ventora", "--record"}, hd720, {"ventora: --record needs a file name"}},
  };
  for (const ModeCase& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.args));
    const CommandLine cl = parse_command_line(c.args);
    EXPECT_EQ(cl.mode, c.mode);
    EXPECT_EQ(cl.notes, c.notes);
  }
}

TEST(CommandLine, ReadsEveryOption) {
  const std::vector<std::string_view> args = {"ventora", "--fullscreen", "--fps", "0", "--record", "a.rpl",
                                              "--replay", "b.rpl", "--check", "-h", "--version",
                                              "--integer-scale"};
  const CommandLine cl = parse_command_line(args);
  EXPECT_TRUE(cl.fullscreen);
  EXPECT_TRUE(cl.integer_scale);
  EXPECT_EQ(cl.fps, 0);
  EXPECT_EQ(cl.record_path, "a.rpl");
  EXPECT_EQ(cl.replay_path, "b.rpl");
  EXPECT_TRUE(cl.check);
  EXPECT_TRUE(cl.show_help);
  EXPECT_TRUE(cl.show_version);
  EXPECT_TRUE(cl.notes.empty());
}

TEST(CommandLine, FrameCapFromTheFlagOrElseTheEnvironment) {
  struct Case {
    std::vector<std::string_view> args;
    const char* env;
    std::optional<int> cap;
    std::size_t notes;
  };
  const Case cases[] = {
      {{"ventora"}, nullptr, std::nullopt, 0},
      {{"ventora"}, "30", 30, 0},
      {{"ventora"}, "0", 0, 0},
      {{"ventora", "--fps", "0"}, "30", 0, 0},   // the flag wins
      {{"ventora", "--fps", "90"}, nullptr, 90, 0},
      {{"ventora"}, "fast", std::nullopt, 1},    // ignored, with a note
      {{"ventora"}, "", std::nullopt, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.args) + " VENTORA_FPS=" + (c.env ? c.env : "(unset)"));
    CommandLine cl = parse_command_line(c.args);
    EXPECT_EQ(frame_cap(cl, c.env), c.cap);
    EXPECT_EQ(cl.notes.size(), c.notes);
  }
  CommandLine cl = parse_command_line(std::vector<std::string_view>{"ventora"});
  frame_cap(cl, "-1");
  EXPECT_EQ(cl.notes, std::vector<std::string>{
                          "ventora: VENTORA_FPS needs a whole number of frames a second (0 = no cap); ignored"});
}

TEST(CommandLine, HelpNamesEveryOptionAndModeAndVersionComesFromTheBuild) {
  for (std::string_view option : {"--mode", "--fullscreen", "--integer-scale", "--fps", "--record", "--replay", "--check",
                                  "--help", "--version", "VENTORA_DISABLE_SOUND"}) {
    EXPECT_NE(usage_text().find(option), std::string::npos) << option;
  }
  for (const OutputModeInfo& mode : kOutputModes) {
    EXPECT_NE(usage_text().find(" " + std::string(mode.word) + " "), std::string::npos) << mode.word;
  }
  EXPECT_EQ(version_text(), "ventora " VENTORA_VERSION);
}

}  // namespace
}  // namespace ventora
