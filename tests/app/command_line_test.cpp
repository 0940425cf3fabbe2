#include "app/command_line.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

namespace ventora {
namespace {

const std::string kLongWord(5000, 'x');

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
      // The last --mode decides, and one line says the earlier ones were overridden.
      {{"ventora", "--mode", "og", "--mode", "hd4k"}, hd4k, {"ventora: --mode given 2 times; the last one counts: 'hd4k'"}},
      {{"ventora", "--mode", "og", "--mode", "x"}, hd720, {"ventora: unknown mode 'x' (og, hd720, hd1080, hd4k); playing in hd720"}},
      {{"ventora", "--mode", "og", "--mode"}, hd720, {"ventora: --mode needs a value (og, hd720, hd1080, hd4k); playing in hd720"}},
      {{"ventora", "--mode", "x", "--mode", "hd4k", "--mode", "og"}, og, {"ventora: --mode given 3 times; the last one counts: 'og'"}},
      // An option is never another option's value.
      {{"ventora", "--mode", "--mode", "og"}, og, {"ventora: --mode given 2 times; the last one counts: 'og'"}},
      {{"ventora", "--mode", "--fullscreen"}, hd720, {"ventora: --mode needs a value (og, hd720, hd1080, hd4k); playing in hd720"}},
      {{"ventora", "og"}, hd720, {"ventora: unknown option 'og' (see --help)"}},
      {{"ventora", "--mode=hd4k"}, hd720, {"ventora: unknown option '--mode=hd4k' (write --mode hd4k); playing in hd720"}},
      // The note names the mode the game plays in, even when that comes later on the line.
      {{"ventora", "--mode=hd4k", "--mode", "og"}, og, {"ventora: unknown option '--mode=hd4k' (write --mode hd4k); playing in og"}},
      {{"ventora", "--frobnicate"}, hd720, {"ventora: unknown option '--frobnicate' (see --help)"}},
      {{"ventora", "--fps", "fast"}, hd720, {"ventora: --fps needs a whole number of frames a second (0 = no cap)"}},
      {{"ventora", "--fps", "-3"}, hd720, {"ventora: --fps needs a whole number of frames a second (0 = no cap)"}},
      {{"ventora", "--record"}, hd720, {"ventora: --record needs a file name"}},
      // Any number of unknown options is one line, naming the first three.
      {{"ventora", "--a", "--b"}, hd720, {"ventora: unknown options '--a', '--b' (see --help)"}},
      {{"ventora", "--a", "-b", "c", "--d", "--e"}, hd720, {"ventora: unknown options '--a', '-b', 'c' and 2 more (see --help)"}},
      {{"ventora", "--a", "--fps=30"}, hd720, {"ventora: unknown options '--a', '--fps=30' (write --fps 30)"}},
      {{"ventora", "--a", "--b", "--c", "--mode=og"}, hd720, {"ventora: unknown options '--a', '--b', '--c' and 1 more (see --help)"}},
      // A huge argument is quoted in part.
      {{"ventora", std::string_view(kLongWord)}, hd720, {"ventora: unknown option '" + std::string(40, 'x') + "...' (see --help)"}},
      // One line per option, in a fixed order, then the unknown ones.
      {{"ventora", "--x", "--record", "--fps", "1", "--fps", "2", "--mode", "y"}, hd720,
       {"ventora: unknown mode 'y' (og, hd720, hd1080, hd4k); playing in hd720",
        "ventora: --fps given 2 times; the last one counts: '2'", "ventora: --record needs a file name",
        "ventora: unknown option '--x' (see --help)"}},
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

// The value each option ends up with: the last use wins, and a use without a value drops the
// earlier ones.
TEST(CommandLine, TheLastUseOfAnOptionWinsAndItsValueIsNeverAnotherOption) {
  struct Case {
    std::vector<std::string_view> args;
    std::optional<int> fps;
    std::optional<std::string> record;
    std::optional<std::string> replay;
    std::vector<std::string> notes;
  };
  const std::string no_record = "ventora: --record needs a file name";
  const Case cases[] = {
      {{"ventora", "--record", "--replay", "x"}, {}, {}, "x", {no_record}},
      {{"ventora", "--replay", "--record", "x"}, {}, "x", {}, {"ventora: --replay needs a file name"}},
      {{"ventora", "--record", "-h"}, {}, {}, {}, {no_record}},
      {{"ventora", "--record", "-"}, {}, "-", {}, {}},  // a single dash, or "-x", can be a file name
      {{"ventora", "--record", "a", "--record", "b"}, {}, "b", {}, {"ventora: --record given 2 times; the last one counts: 'b'"}},
      {{"ventora", "--record", "a", "--record"}, {}, {}, {}, {no_record}},
      {{"ventora", "--replay", "a", "--replay", "b", "--replay", "c"}, {}, {}, "c",
       {"ventora: --replay given 3 times; the last one counts: 'c'"}},
      {{"ventora", "--fps", "30", "--fps", "60"}, 60, {}, {}, {"ventora: --fps given 2 times; the last one counts: '60'"}},
      {{"ventora", "--fps", "30", "--fps", "x"}, {}, {}, {}, {"ventora: --fps needs a whole number of frames a second (0 = no cap)"}},
      {{"ventora", "--fps", "--fullscreen"}, {}, {}, {}, {"ventora: --fps needs a whole number of frames a second (0 = no cap)"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.args));
    const CommandLine cl = parse_command_line(c.args);
    EXPECT_EQ(cl.fps, c.fps);
    EXPECT_EQ(cl.record_path, c.record);
    EXPECT_EQ(cl.replay_path, c.replay);
    EXPECT_EQ(cl.notes, c.notes);
  }
}

TEST(CommandLine, ThousandsOfUnknownOptionsAreOneShortLine) {
  std::vector<std::string> words;
  for (int k = 0; k < 5000; ++k) words.push_back("--unknown" + std::to_string(k));
  std::vector<std::string_view> args = {"ventora"};
  args.insert(args.end(), words.begin(), words.end());
  const CommandLine cl = parse_command_line(args);
  EXPECT_EQ(cl.notes, std::vector<std::string>{
                          "ventora: unknown options '--unknown0', '--unknown1', '--unknown2' and 4997 more (see --help)"});
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

// Besides the options and modes, the help says what no control names: where a strike lands.
TEST(CommandLine, HelpNamesEveryOptionAndModeAndVersionComesFromTheBuild) {
  EXPECT_NE(usage_text().find("A launch pad's strike hits the far side of the planet."),
            std::string::npos);
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
