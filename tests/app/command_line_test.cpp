#include "app/command_line.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

namespace ventora {
namespace {

struct NoteCase {
  std::vector<std::string_view> args;
  std::vector<std::string> notes;
};

// Every mode form and mistake: the game starts anyway, with one line saying what it did instead.
TEST(CommandLine, NotesForWhatItCannotHonour) {
  const NoteCase cases[] = {
      {{"ventora"}, {}},
      {{"ventora", "--mode", "og"}, {}},
      {{"ventora", "--mode", "hd4k"}, {}},
      {{"ventora", "--mode", "4k"}, {"ventora: unknown mode '4k' (og, hd720, hd1080, hd4k); playing in hd720"}},
      {{"ventora", "--mode"}, {"ventora: --mode needs a value (og, hd720, hd1080, hd4k); playing in hd720"}},
      // The first --mode decides, so a later bad one falls back from nothing.
      {{"ventora", "--mode", "og", "--mode", "x"}, {}},
      {{"ventora", "--mode=hd4k"}, {"ventora: unknown option '--mode=hd4k' (write --mode hd4k); playing in hd720"}},
      {{"ventora", "--frobnicate"}, {"ventora: unknown option '--frobnicate' (see --help)"}},
      {{"ventora", "--fps", "fast"}, {"ventora: --fps needs a whole number of frames a second (0 = no cap)"}},
      {{"ventora", "--fps", "-3"}, {"ventora: --fps needs a whole number of frames a second (0 = no cap)"}},
      {{"ventora", "--record"}, {"ventora: --record needs a file name"}},
  };
  for (const NoteCase& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.args));
    EXPECT_EQ(parse_command_line(c.args).notes, c.notes);
  }
}

TEST(CommandLine, ReadsEveryOption) {
  const std::vector<std::string_view> args = {"ventora", "--fullscreen", "--fps", "0", "--record", "a.rpl",
                                              "--replay", "b.rpl", "--check", "-h", "--version"};
  const CommandLine cl = parse_command_line(args);
  EXPECT_TRUE(cl.fullscreen);
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

TEST(CommandLine, HelpNamesEveryOptionAndVersionComesFromTheBuild) {
  for (std::string_view option : {"--mode", "--fullscreen", "--fps", "--record", "--replay", "--check",
                                  "--help", "--version", "VENTORA_DISABLE_SOUND"}) {
    EXPECT_NE(usage_text().find(option), std::string::npos) << option;
  }
  EXPECT_EQ(version_text(), "ventora " VENTORA_VERSION);
}

}  // namespace
}  // namespace ventora
