// The frame's passes as planned from small draw lists, without a GL context: where the screen is
// cleared, which blit becomes the unblended backdrop, which planet shares its pass, what goes into
// which target, and what plain passes and the direct planet path change.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "planet/core/planet.h"
#include "draw/canvas.h"
#include "render/pass_plan.h"

namespace ventora {
namespace {

constexpr float kScreenWidth = 64, kScreenHeight = 48;
constexpr TargetId kBackdrop = 7;
constexpr Color kNight{0.1f, 0.1f, 0.2f, 1};
constexpr Color kRed{1, 0, 0, 1};

std::string describe(const std::vector<Pass>& passes) {
  std::string out;
  for (const Pass& p : passes) {
    if (!out.empty()) out += " | ";
    const std::string first = std::to_string(p.first), target = std::to_string(p.target);
    switch (p.kind) {
      case PassKind::IntoTarget:
        out += "target " + target + " " + std::to_string(p.width) + "x" + std::to_string(p.height) +
               (p.opaque ? " opaque" : "");
        break;
      case PassKind::IntoScreen: out += "screen"; break;
      case PassKind::Clear:
        out += p.color == kBlack ? "black" : p.color == kNight ? "night" : "clear other";
        break;
      case PassKind::Shapes:
        out += "shapes " + first + (p.end - 1 > p.first ? "-" + std::to_string(p.end - 1) : "");
        break;
      case PassKind::Planet: out += "planet " + first; break;
      case PassKind::PlanetDirect: out += "planet direct " + first; break;
      case PassKind::Backdrop: out += "backdrop " + target; break;
      case PassKind::BackdropAndPlanet: out += "backdrop " + target + " + planet " + first; break;
    }
  }
  return out;
}

const planet::Planet kWorld{};
const Rect kWholeScreen{0, 0, kScreenWidth, kScreenHeight};

// The HD frame: the backdrop drawn small into its target and blown up over the screen, the
// planet on it, the HUD on top.
void hd_frame(Canvas& c) {
  c.begin_target(kBackdrop, 16, 12);  // 0
  c.clear(kNight);                    // 1
  c.circle({8, 6}, 3, kWhite);        // 2
  c.end_target();                     // 3
  c.blit_target(kBackdrop, kWholeScreen, kWhite);  // 4
  c.planet(kWorld, {16, 8, 32, 32}, 0.5f);         // 5
  c.text("Stage 1", {2, 10}, 8, kWhite);           // 6
  c.rectangle({0, 40, 64, 8}, kRed);               // 7
}

// The backdrop target drawn into at that size without a clear, then blown up over the screen.
template <std::uint32_t Width, std::uint32_t Height>
void backdrop_without_clear(Canvas& c) {
  c.begin_target(kBackdrop, Width, Height);
  c.circle({8, 6}, 3, kWhite);
  c.end_target();
  c.blit_target(kBackdrop, kWholeScreen, kWhite);
}

struct Case {
  const char* what;
  void (*draw)(Canvas&);
  std::map<TargetId, TargetState> targets;  // what earlier frames left
  bool plain, planet_direct;
  const char* passes;
};

TEST(PassPlan, DrawListsBecomeTheirPasses) {
  const TargetState opaque_backdrop{16, 12, true};
  const Case cases[] = {
      {"nothing drawn: black, never an old frame", [](Canvas&) {}, {}, false, false, "black"},
      {"a list that clears gets no black under it; its shapes and text share one batch",
       [](Canvas& c) {
         c.clear(kNight);
         c.rectangle({0, 0, 4, 4}, kRed);
         c.circle({9, 9}, 3, kRed);
         c.text("1", {2, 20}, 8, kWhite);
       },
       {}, false, false, "night | shapes 1-3"},
      {"shapes first: black under them", [](Canvas& c) { c.rectangle({0, 0, 4, 4}, kRed); }, {},
       false, false, "black | shapes 0"},
      {"HD: the backdrop covers the screen, with no clear under it, and shares the planet's pass",
       hd_frame, {{kBackdrop, opaque_backdrop}}, false, false,
       "target 7 16x12 opaque | night | shapes 2 | screen | backdrop 7 + planet 5 | shapes 6-7"},
      {"HD, first frame: a target cleared opaque in this very frame covers too", hd_frame, {},
       false, false,
       "target 7 16x12 opaque | night | shapes 2 | screen | backdrop 7 + planet 5 | shapes 6-7"},
      {"plain passes: black first, the blit blended like any shape, the planet on its own",
       hd_frame, {{kBackdrop, opaque_backdrop}}, true, false,
       "black | target 7 16x12 opaque | night | shapes 2 | screen | shapes 4 | planet 5 | shapes 6-7"},
      {"the direct planet path: the backdrop alone, then the planet", hd_frame,
       {{kBackdrop, opaque_backdrop}}, false, true,
       "target 7 16x12 opaque | night | shapes 2 | screen | backdrop 7 | planet direct 5 | shapes 6-7"},
      {"a backdrop with no planet after it goes out alone",
       [](Canvas& c) {
         c.blit_target(kBackdrop, kWholeScreen, kWhite);
         c.text("Paused", {2, 10}, 8, kWhite);
       },
       {{kBackdrop, opaque_backdrop}}, false, false, "backdrop 7 | shapes 1"},
      {"a backdrop last in the list", [](Canvas& c) { c.blit_target(kBackdrop, kWholeScreen, kWhite); },
       {{kBackdrop, opaque_backdrop}}, false, false, "backdrop 7"},
      {"a tinted blit is blended: black under it",
       [](Canvas& c) { c.blit_target(kBackdrop, kWholeScreen, Color{1, 1, 1, 0.5f}); },
       {{kBackdrop, opaque_backdrop}}, false, false, "black | shapes 0"},
      {"a blit short of the screen's edge is blended",
       [](Canvas& c) { c.blit_target(kBackdrop, {0, 0, kScreenWidth, kScreenHeight - 1}, kWhite); },
       {{kBackdrop, opaque_backdrop}}, false, false, "black | shapes 0"},
      {"a tint that rounds to white bytes counts as white",
       [](Canvas& c) { c.blit_target(kBackdrop, kWholeScreen, Color{0.999f, 1, 1, 1}); },
       {{kBackdrop, opaque_backdrop}}, false, false, "backdrop 7"},
      {"a target never made is no backdrop",
       [](Canvas& c) { c.blit_target(3, kWholeScreen, kWhite); }, {{kBackdrop, opaque_backdrop}},
       false, false, "black | shapes 0"},
      {"a target cleared translucent is no backdrop",
       [](Canvas& c) {
         c.begin_target(kBackdrop, 16, 12);
         c.clear(Color{0, 0, 0, 0.5f});
         c.end_target();
         c.blit_target(kBackdrop, kWholeScreen, kWhite);
       },
       {{kBackdrop, opaque_backdrop}}, false, false,
       "target 7 16x12 | clear other | screen | black | shapes 3"},
      {"a planet drawn into a target leaves it translucent",
       [](Canvas& c) {
         c.begin_target(kBackdrop, 16, 12);
         c.clear(kNight);
         c.planet(kWorld, {0, 0, 12, 12}, 0);
         c.end_target();
         c.blit_target(kBackdrop, kWholeScreen, kWhite);
       },
       {}, false, false, "target 7 16x12 | night | planet 2 | screen | black | shapes 4"},
      {"a target at a new size starts transparent until cleared", backdrop_without_clear<32, 24>,
       {{kBackdrop, opaque_backdrop}}, false, false,
       "target 7 32x24 | shapes 1 | screen | black | shapes 3"},
      {"a target kept at its size stays opaque without a clear", backdrop_without_clear<16, 12>,
       {{kBackdrop, opaque_backdrop}}, false, false,
       "target 7 16x12 opaque | shapes 1 | screen | backdrop 7"},
      {"a target larger than GL holds is dropped with what is drawn into it",
       [](Canvas& c) {
         c.begin_target(3, 100000, 4);
         c.rectangle({0, 0, 4, 4}, kRed);
         c.begin_target(4, 8, 8);  // inside the dropped one: dropped too
         c.end_target();
         c.rectangle({0, 0, 4, 4}, kRed);
       },
       {}, false, false, "black | shapes 4"},
      {"a target begun inside another, and one never ended",
       [](Canvas& c) {
         c.begin_target(1, 8, 8);
         c.rectangle({0, 0, 4, 4}, kRed);
         c.begin_target(2, 8, 8);
         c.rectangle({0, 0, 4, 4}, kRed);
       },
       {}, false, false, "target 1 8x8 | shapes 1 | target 2 8x8 | shapes 3 | screen | black"},
      {"a blit inside a target is never the backdrop",
       [](Canvas& c) {
         c.begin_target(1, 64, 48);
         c.blit_target(kBackdrop, kWholeScreen, kWhite);
         c.end_target();
       },
       {{kBackdrop, opaque_backdrop}}, false, false, "target 1 64x48 | shapes 1 | screen | black"},
      {"an end without a target changes nothing, but ends the batch",
       [](Canvas& c) {
         c.clear(kNight);
         c.rectangle({0, 0, 4, 4}, kRed);
         c.end_target();
         c.rectangle({0, 0, 4, 4}, kRed);
       },
       {}, false, false, "night | shapes 1 | shapes 3"},
  };
  for (const Case& c : cases) {
    DrawList list;
    Canvas canvas(list, kScreenWidth, kScreenHeight);
    c.draw(canvas);
    const PassSettings settings{kScreenWidth, kScreenHeight, 4096, c.plain, c.planet_direct};
    EXPECT_EQ(describe(plan_passes(list, settings, c.targets)), c.passes) << c.what;
  }
}

// A planet command without a planet draws nothing; a backdrop held for the planet waits past it.
TEST(PassPlan, APlanetCommandWithoutAPlanetIsPassedOver) {
  DrawList list;
  Canvas canvas(list, kScreenWidth, kScreenHeight);
  DrawCommand empty_planet;
  empty_planet.op = DrawOp::Planet;
  canvas.blit_target(kBackdrop, kWholeScreen, kWhite);
  list.commands.push_back(empty_planet);
  canvas.planet(kWorld, {16, 8, 32, 32}, 0);
  const PassSettings settings{kScreenWidth, kScreenHeight, 4096, false, false};
  EXPECT_EQ(describe(plan_passes(list, settings, {{kBackdrop, {16, 12, true}}})),
            "backdrop 7 + planet 2");

  DrawList alone;
  alone.commands.push_back(empty_planet);
  EXPECT_EQ(describe(plan_passes(alone, settings, {})), "black");
}

}  // namespace
}  // namespace ventora
