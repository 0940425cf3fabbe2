#include "app/drawing_warm_up.h"

#include <array>
#include <string_view>

#include "game/run.h"
#include "layout/render_settings.h"
#include "render/gl_renderer.h"
#include "view/scene.h"

namespace ventora {

namespace {

struct SceneToWarm {
  std::uint64_t stage;
  Screen screen;
};

// Every stage's countdown (its planet first shows there), and the other screens once.
constexpr std::array kScenes = {
    SceneToWarm{1, Screen::Fight},
    SceneToWarm{1, Screen::Countdown},
    SceneToWarm{2, Screen::Countdown},
    SceneToWarm{3, Screen::Countdown},
    SceneToWarm{4, Screen::Countdown},
    SceneToWarm{kBonusStage, Screen::Countdown},
    SceneToWarm{kLastStage, Screen::Countdown},
    SceneToWarm{1, Screen::StageClear},
    SceneToWarm{kBonusStage, Screen::StageClear},  // its longer title is fitted to a smaller size
    SceneToWarm{1, Screen::CardChoice},
    SceneToWarm{kLastStage, Screen::Victory},
    SceneToWarm{1, Screen::Defeat},
};

// Every character the game's texts use: printable ASCII, and the few others the cards and HUD
// write (× — • ← → −). Titles and the countdown are drawn far larger than the rest; at those sizes
// the whole set would take megabytes of atlas for words the scenes above have already drawn, so
// they get the digits only.
constexpr std::string_view kCharacters =
    " !\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`abcdefghijklmnopqrstuvwxyz{|}~"
    "\u00d7\u2014\u2022\u2190\u2192\u2212";
constexpr std::string_view kDigits = "0123456789";
constexpr int kLargestFullSetPixels = 192;

// A state that draws as the scene does on that screen; made without a generator, so the warm-up
// draws nothing the run would have drawn.
GameState scene_state(OutputMode mode, const SceneToWarm& scene) {
  GameState state;
  state.render_settings = render_settings_for(mode);
  state.backdrop_stars = make_backdrop_stars();
  state.stage = scene.stage;
  state.screen = scene.screen;
  state.planet = make_stage_planet(scene.stage, state.render_settings);
  return state;
}

}  // namespace

Result<bool> DrawingWarmUp::step(Window& window) {
  if (!kinds_done_) {
    const RenderSettings settings = render_settings_for(mode_);
    Result<bool> warmed =
        window.renderer().warm_up_next(planet_pixel_count(settings), settings.planet_dither);
    if (!warmed) return warmed.error();
    kinds_done_ = warmed.value();
    return false;
  }
  if (scenes_done_ == kScenes.size()) {
    if (text_sizes_done_ == text_sizes_.size()) return true;
    const int px = text_sizes_[text_sizes_done_++];
    window.renderer().warm_up_glyphs(px, px <= kLargestFullSetPixels ? kCharacters : kDigits);
    return text_sizes_done_ == text_sizes_.size();
  }
  const GameState state = scene_state(mode_, kScenes[scenes_done_]);
  DrawList list;
  Canvas canvas(list, static_cast<float>(window.width()), static_cast<float>(window.height()));
  draw_scene(state, canvas);
  if (Status drawn = window.draw(list); !drawn) return drawn.error();
  window.renderer().finish();
  if (++scenes_done_ == kScenes.size()) text_sizes_ = window.renderer().text_pixel_sizes();
  return false;
}

}  // namespace ventora
