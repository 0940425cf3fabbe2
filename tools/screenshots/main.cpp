// screenshots: every screen of a run (fight, stage clear, card choice, countdown, the bonus stage,
// victory, defeat) in OG and 1080p, drawn offscreen through the real renderer while the whole-run
// bot plays from a fixed clock. docs/screens holds its output.
//   screenshots --out DIR     writes DIR/<mode>-<screen>.png
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "game/run.h"
#include "moments.h"
#include "snapshot.h"
#include "tests/support/run_bot.h"

namespace ventora {
namespace {

constexpr const char* kScreens[] = {"fight",     "stage-clear", "card-choice", "countdown",
                                    "bonus-stage", "victory",   "defeat"};

class Shooter {
 public:
  Shooter(Snapshots& snapshots, std::string out, OutputMode mode)
      : snapshots_(snapshots), out_(std::move(out)), mode_(mode_word(mode)) {}

  // The state as the window shows it after this frame, once per screen name.
  void take(std::string_view name, const GameState& state, const FrameInput& input) {
    const std::string key(name);
    if (taken_.count(key)) return;
    const int w = static_cast<int>(input.screen_width), h = static_cast<int>(input.screen_height);
    const Result<Picture> picture = snapshots_.draw(frame_drawing(state, input), w, h);
    if (!picture) std::fprintf(stderr, "screenshots: %s\n", picture.error().message.c_str());
    taken_[key] = picture && write_png(out_ + "/" + mode_ + "-" + key + ".png", picture.value());
  }
  bool has(std::string_view name) const { return taken_.count(std::string(name)) > 0; }
  bool written(std::string_view name) const {
    const auto it = taken_.find(std::string(name));
    return it != taken_.end() && it->second;
  }

  // Pictures the bot's frames that are worth showing.
  void watch(const GameState& state, const FrameInput& input) {
    if (const std::optional<std::string_view> name = pictured_screen(state)) take(*name, state, input);
  }

 private:
  Snapshots& snapshots_;
  std::string out_, mode_;
  std::map<std::string, bool> taken_;  // screen name: its picture was written
};

// One whole run through the bonus stage to victory, then one the bot gives up at once.
bool shoot_mode(Snapshots& snapshots, const std::string& out, OutputMode mode) {
  Shooter shooter(snapshots, out, mode);
  Pcg32 rng;
  GameState state = start_run(rng, kPictureClock, mode);
  bot::RunPlan plan = pictured_run_plan();
  plan.on_frame = [&](const GameState& s, const FrameInput& input) { shooter.watch(s, input); };
  bot::RunRecord record = bot::play_run(state, rng, plan);
  if (state.screen == Screen::Victory) {
    // Let the confetti fall for a second.
    bot::idle_frames(state, rng, plan.dt, 60, record.time);
    shooter.take("victory", state, bot::idle_input(state, record.time));
  }

  GameState lost = start_run(rng, kPictureClock, mode);
  bot::RunPlan give_up;
  give_up.give_up_at_stage = 1;
  bot::play_run(lost, rng, give_up);
  if (lost.screen == Screen::Defeat) shooter.take("defeat", lost, bot::idle_input(lost, 0));

  bool all = true;
  for (const char* name : kScreens) {
    if (!shooter.has(name)) {
      std::fprintf(stderr, "screenshots: the %s run never showed the %s screen\n",
                   std::string(mode_word(mode)).c_str(), name);
    }
    all = shooter.written(name) && all;  // take has said why it could not draw or write
  }
  return all;
}

}  // namespace
}  // namespace ventora

int main(int argc, char** argv) {
  using namespace ventora;
  std::string out;
  int exit_status = 0;
  auto snapshots = start_picture_tool(argc, argv, "screenshots", out, exit_status);
  if (!snapshots) return exit_status;
  bool ok = true;
  for (OutputMode mode : {OutputMode::Og, OutputMode::Hd1080}) ok = shoot_mode(*snapshots, out, mode) && ok;
  return ok ? 0 : 1;
}
