// icon: the game's icon, drawn by the game itself: the first stage's planet and the player on top,
// cut out of a 720p pixel-art frame from a fixed clock, written at every size the desktop asks for.
//   icon --out DIR     writes DIR/ventora-<size>.png for each size
// data/icons holds its output; `build/tools/icon --out data/icons` makes them again.
#include <cstdio>
#include <string>
#include <string_view>

#include "draw/canvas.h"
#include "game/run.h"
#include "layout/output_mode.h"
#include "snapshot.h"
#include "view/scene.h"

namespace ventora {
namespace {

constexpr int kSizes[] = {16, 24, 32, 48, 64, 128, 256};
constexpr OutputMode kMode = OutputMode::Hd720;
constexpr int kFrameWidth = static_cast<int>(mode_info(kMode).window.width);
constexpr int kFrameHeight = static_cast<int>(mode_info(kMode).window.height);
// The square round the planet and the player on top, below the HUD.
constexpr int kCropX = 376, kCropY = 88, kCropSide = 528;

}  // namespace
}  // namespace ventora

int main(int argc, char** argv) {
  using namespace ventora;
  std::string out;
  int exit_status = 0;
  auto snapshots = start_picture_tool(argc, argv, "icon", out, exit_status);
  if (!snapshots) return exit_status;
  Pcg32 rng;
  GameState state = start_run(rng, {1765000000, 0}, kMode);
  state.boss_present = false;  // the player and the planet alone
  DrawList list;
  Canvas canvas(list, kFrameWidth, kFrameHeight);
  canvas.set_time(3.0);  // past the player's white blink
  draw_scene(state, canvas);
  const Result<Picture> frame = snapshots->draw(list, kFrameWidth, kFrameHeight);
  if (!frame) {
    std::fprintf(stderr, "icon: %s\n", frame.error().message.c_str());
    return 1;
  }
  const Picture square = crop(frame.value(), kCropX, kCropY, kCropSide);
  bool ok = true;
  for (int size : kSizes) {
    ok = write_png(out + "/ventora-" + std::to_string(size) + ".png",
                   resized(square, size)) && ok;
  }
  return ok ? 0 : 1;
}
