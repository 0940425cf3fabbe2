// The renderer and the window on SDL's offscreen video driver (Mesa EGL): draw lists are
// executed into offscreen targets and read back pixel by pixel.
#include <gtest/gtest.h>

#include <SDL.h>
#include <epoxy/gl.h>

#include <cstdlib>

#include "draw/canvas.h"
#include "planet/core/planet.h"
#include "render/gl_renderer.h"
#include "platform/window.h"
#include "tests/support/gl_status.h"
#include "tests/support/require_gl.h"

namespace ventora {
namespace {

constexpr Color kRed{1, 0, 0, 1};
constexpr Color kGreen{0, 1, 0, 1};

struct Rgba {
  int r, g, b, a;
  friend bool operator==(const Rgba&, const Rgba&) = default;
};

std::ostream& operator<<(std::ostream& out, const Rgba& c) {
  return out << "(" << c.r << ", " << c.g << ", " << c.b << ", " << c.a << ")";
}

class Pixels {
 public:
  Pixels(std::vector<std::uint8_t> data, int w, int h) : data_(std::move(data)), w_(w), h_(h) {}
  int width() const { return w_; }
  int height() const { return h_; }
  Rgba at(int x, int y) const {
    const std::size_t i = (static_cast<std::size_t>(y) * w_ + x) * 4;
    return {data_[i], data_[i + 1], data_[i + 2], data_[i + 3]};
  }
  bool lit(int x, int y) const { return at(x, y).r > 127 || at(x, y).g > 127; }

 private:
  std::vector<std::uint8_t> data_;
  int w_, h_;
};

class GlTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    Result<std::unique_ptr<Window>> opened = Window::open({"Ventora test", 64, 48, false});
    if (opened) {
      window_ = opened.value().release();
    } else {
      error_ = opened.error().message;
    }
  }
  static void TearDownTestSuite() {
    delete window_;
    window_ = nullptr;
  }
  void SetUp() override {
    VENTORA_REQUIRE_GL(window_ != nullptr, "offscreen driver: " + error_);
  }

  GlRenderer& renderer() { return window_->renderer(); }
  // Runs `draw` into target 1 of w × h cleared to black and reads it back.
  template <typename F>
  Pixels draw_into_target(int w, int h, F draw, TargetId id = 1) {
    DrawList list;
    Canvas canvas(list, 64, 48);
    canvas.begin_target(id, w, h);
    canvas.clear(kBlack);
    draw(canvas);
    canvas.end_target();
    EXPECT_TRUE(test::succeeded(renderer().render(list, 64, 48, 64, 48)));
    return read(id);
  }
  Pixels read(TargetId id) {
    int w = 0, h = 0;
    auto data = renderer().read_target(id, w, h);
    return Pixels(std::move(data), w, h);
  }

  static Window* window_;
  static std::string error_;
};

Window* GlTest::window_ = nullptr;
std::string GlTest::error_;

TEST_F(GlTest, FilledRectangleHasItsColourAndExactEdges) {
  Pixels p = draw_into_target(64, 64, [](Canvas& c) {
    c.rectangle({10, 10, 20, 20}, Color::rgba8(92, 151, 103));
  });
  ASSERT_EQ(p.width(), 64);
  EXPECT_EQ(p.at(15, 15), (Rgba{92, 151, 103, 255}));
  EXPECT_EQ(p.at(10, 10), (Rgba{92, 151, 103, 255}));
  EXPECT_EQ(p.at(29, 29), (Rgba{92, 151, 103, 255}));
  EXPECT_EQ(p.at(30, 29), (Rgba{0, 0, 0, 255}));
  EXPECT_EQ(p.at(29, 30), (Rgba{0, 0, 0, 255}));
  EXPECT_EQ(p.at(9, 15), (Rgba{0, 0, 0, 255}));
}

TEST_F(GlTest, TranslucentColourBlendsOverWhatIsThere) {
  Pixels p = draw_into_target(16, 16, [](Canvas& c) {
    c.rectangle({0, 0, 16, 16}, kWhite);
    c.rectangle({0, 0, 8, 16}, Color::rgba8(0, 0, 0, 128));
  });
  const Rgba half = p.at(2, 2);
  EXPECT_NEAR(half.r, 127, 2);
  EXPECT_EQ(half.a, 255);  // the target stays opaque, so it blits as drawn
  EXPECT_EQ(p.at(12, 2), (Rgba{255, 255, 255, 255}));
}

// Each shape against points that must be inside and points that must stay outside.
TEST_F(GlTest, ShapesCoverTheirGeometry) {
  struct Case {
    const char* name;
    void (*draw)(Canvas&);
    std::vector<std::pair<int, int>> inside, outside;
  };
  const Case cases[] = {
      {"circle", [](Canvas& c) { c.circle({32, 32}, 20, kRed); },
       {{32, 32}, {50, 32}, {32, 13}, {45, 45}},
       {{53, 32}, {32, 10}, {47, 47}, {5, 5}}},
      {"circle outline", [](Canvas& c) { c.circle_lines({32, 32}, 20, 4, kRed); },
       {{51, 32}, {32, 13}, {12, 32}},
       {{32, 32}, {45, 32}, {55, 32}}},
      {"triangle", [](Canvas& c) { c.triangle({10, 10}, {50, 10}, {10, 50}, kRed); },
       {{12, 12}, {40, 12}, {12, 40}},
       {{40, 40}, {31, 31}, {5, 20}}},
      {"thick line, square ends flush", [](Canvas& c) { c.line({10, 20}, {50, 20}, 6, kRed); },
       {{10, 17}, {30, 22}, {49, 20}},
       {{30, 15}, {30, 24}, {52, 20}, {8, 20}}},
      {"rectangle outline inside its rectangle",
       [](Canvas& c) { c.rectangle_lines({10, 10, 40, 30}, 3, kRed); },
       {{10, 20}, {12, 20}, {30, 10}, {49, 25}, {30, 39}},
       {{9, 20}, {14, 20}, {30, 25}, {50, 25}, {30, 40}}},
      // 20 × 10 turned a quarter about its own centre at (30, 30): now 10 wide and 20 high.
      {"rotated rectangle", [](Canvas& c) { c.rectangle_pro({30, 30, 20, 10}, {10, 5}, 90, kRed); },
       {{26, 21}, {33, 38}, {30, 30}},
       {{38, 30}, {22, 30}, {30, 18}}},
      // The pivot at the rectangle's corner: it swings down-left of (40, 10).
      {"rotated about its corner",
       [](Canvas& c) { c.rectangle_pro({40, 10, 20, 4}, {0, 0}, 90, kRed); },
       {{38, 12}, {37, 28}},
       {{45, 11}, {38, 32}}},
  };
  for (const Case& c : cases) {
    Pixels p = draw_into_target(64, 64, c.draw);
    for (auto [x, y] : c.inside) EXPECT_TRUE(p.lit(x, y)) << c.name << " at " << x << "," << y;
    for (auto [x, y] : c.outside) EXPECT_FALSE(p.lit(x, y)) << c.name << " at " << x << "," << y;
  }
}

TEST_F(GlTest, BlitShowsATargetInCrispBlocksTheRightWayUp) {
  DrawList list;
  Canvas canvas(list, 64, 48);
  // A 4 × 4 checkerboard, red at its top-left texel.
  canvas.begin_target(2, 4, 4);
  canvas.clear(kGreen);
  for (int y = 0; y < 4; ++y) {
    for (int x = (y % 2); x < 4; x += 2) {
      canvas.rectangle({static_cast<float>(x), static_cast<float>(y), 1, 1}, kRed);
    }
  }
  canvas.end_target();
  canvas.begin_target(3, 32, 32);
  canvas.clear(kBlack);
  canvas.blit_target(2, {0, 0, 32, 32}, kWhite);
  canvas.end_target();
  EXPECT_TRUE(test::succeeded(renderer().render(list, 64, 48, 64, 48)));
  Pixels p = read(3);
  ASSERT_EQ(p.width(), 32);
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      const bool red = ((x / 8) + (y / 8)) % 2 == 0;
      ASSERT_EQ(p.at(x, y), red ? (Rgba{255, 0, 0, 255}) : (Rgba{0, 255, 0, 255}))
          << "at " << x << "," << y;
    }
  }
}

TEST_F(GlTest, TextPutsInkWhereMeasureTextSays) {
  const float size = 30;
  const Vec2 baseline{10, 40};
  const TextMetrics m = measure_text("Victory", size);
  Pixels p = draw_into_target(200, 60, [&](Canvas& c) { c.text("Victory", baseline, size, kWhite); });
  int min_x = 1000, max_x = -1, min_y = 1000, max_y = -1;
  for (int y = 0; y < p.height(); ++y) {
    for (int x = 0; x < p.width(); ++x) {
      if (p.at(x, y).r < 100) continue;
      min_x = std::min(min_x, x);
      max_x = std::max(max_x, x);
      min_y = std::min(min_y, y);
      max_y = std::max(max_y, y);
    }
  }
  ASSERT_GE(max_x, 0) << "no ink at all";
  EXPECT_GE(min_x, baseline.x - 1);
  EXPECT_LE(min_x, baseline.x + 3);
  EXPECT_LE(max_x, baseline.x + m.width + 1);
  EXPECT_GE(max_x, baseline.x + m.width - 5);
  EXPECT_GE(min_y, baseline.y - m.offset_y - 1);  // nothing above the ascent
  EXPECT_LE(min_y, baseline.y - 18);              // the capital V reaches up to cap height
  EXPECT_GT(max_y, baseline.y);                   // the y descends below the baseline
  EXPECT_LE(max_y, baseline.y - m.offset_y + m.height + 1);
}

TEST_F(GlTest, SymbolsDrawTheirOwnGlyphs) {
  // The arrow's ink is a long horizontal stroke with a head: wide, and thin in the middle row.
  Pixels p = draw_into_target(60, 40, [](Canvas& c) { c.text("→", {4, 30}, 32, kWhite); });
  int columns = 0;
  for (int x = 0; x < p.width(); ++x) {
    for (int y = 0; y < p.height(); ++y) {
      if (p.at(x, y).r > 100) {
        ++columns;
        break;
      }
    }
  }
  EXPECT_GT(columns, 20);
  int ink = 0;
  for (int y = 0; y < p.height(); ++y) ink += p.at(4 + columns / 3, y).r > 100;
  EXPECT_GE(ink, 1);
  EXPECT_LE(ink, 5);
}

TEST_F(GlTest, OverflowingBatchesFlushAndDrawEverything) {
  // 3000 squares: 12000 vertices and 18000 indices, several batches' worth.
  Pixels p = draw_into_target(60, 50, [](Canvas& c) {
    for (int i = 0; i < 3000; ++i) {
      c.rectangle({static_cast<float>(i % 60), static_cast<float>(i / 60), 1, 1},
                  i % 2 ? kRed : kGreen);
    }
  });
  EXPECT_GE(renderer().stats().batches_flushed, 4);
  for (int i : {0, 1, 832, 833, 834, 1667, 2998, 2999}) {
    EXPECT_EQ(p.at(i % 60, i / 60), i % 2 ? (Rgba{255, 0, 0, 255}) : (Rgba{0, 255, 0, 255})) << i;
  }
}

// Consecutive flat shapes, and consecutive text of one size, each go out in one draw call.
TEST_F(GlTest, EachRunOfShapesOrTextIsOneDrawCall) {
  draw_into_target(64, 64, [](Canvas& c) {
    c.text("Stage 1", {2, 20}, 14, kWhite);
    c.text("Boss HP 3", {2, 62}, 14, kWhite);
    c.circle({30, 40}, 8, kRed);
    c.rectangle({0, 50, 64, 4}, kGreen);
    c.triangle({0, 0}, {8, 0}, {0, 8}, kGreen);
    c.line({0, 0}, {64, 64}, 2, kRed);
    c.text("1", {40, 20}, 14, kWhite);
  });
  EXPECT_EQ(renderer().stats().draw_calls, 3);
  EXPECT_EQ(renderer().stats().batches_flushed, 1);
}

TEST_F(GlTest, TargetIsRecreatedWhenItsSizeChanges) {
  draw_into_target(8, 8, [](Canvas&) {}, 5);
  Pixels p = draw_into_target(24, 12, [](Canvas& c) { c.rectangle({20, 8, 4, 4}, kRed); }, 5);
  EXPECT_EQ(p.width(), 24);
  EXPECT_EQ(p.height(), 12);
  EXPECT_TRUE(p.lit(22, 10));
  // A target GL cannot hold is skipped with everything drawn into it.
  DrawList list;
  Canvas canvas(list, 64, 48);
  canvas.begin_target(6, 0, 10);
  canvas.rectangle({0, 0, 10, 10}, kRed);
  canvas.end_target();
  EXPECT_TRUE(test::succeeded(renderer().render(list, 64, 48, 64, 48)));
  int w = -1, h = -1;
  EXPECT_TRUE(renderer().read_target(6, w, h).empty());
  EXPECT_EQ(w, 0);
}

TEST_F(GlTest, ScreenUnitsAreYDownAndStretchToTheDrawable) {
  // 32 × 24 units onto the 64 × 48 drawable, as a high-DPI window has it.
  DrawList list;
  Canvas canvas(list, 32, 24);
  canvas.clear(kBlack);
  canvas.rectangle({0, 0, 16, 6}, kRed);
  EXPECT_TRUE(test::succeeded(renderer().render(list, 32, 24, 64, 48)));
  auto red_at = [](int x, int y) {  // y counted from the top, as the game does
    std::uint8_t px[4] = {};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, 47 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, px);
    return px[0] == 255 && px[1] == 0;
  };
  EXPECT_TRUE(red_at(0, 0));
  EXPECT_TRUE(red_at(31, 11));
  EXPECT_FALSE(red_at(32, 0));
  EXPECT_FALSE(red_at(0, 12));
  EXPECT_FALSE(red_at(0, 47));
  // A frame with nothing in it starts from black rather than from the last picture.
  EXPECT_TRUE(test::succeeded(renderer().render(DrawList{}, 32, 24, 64, 48)));
  EXPECT_FALSE(red_at(0, 0));
  window_->present();
}

// The planet painter draws with its own GL state; ours must be back for what follows it, and a
// planet drawn through a target must look the same as one drawn straight onto the screen.
TEST_F(GlTest, PlanetDrawsTheSameOnScreenAndThroughATarget) {
  planet::PlanetParams params;
  params.seed = 7;
  params.pixels = 24;
  const planet::Planet world = planet::create_planet(planet::PlanetKind::RiverPlanet, params);
  auto screen = [] {
    std::vector<std::uint8_t> rgba(64 * 48 * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, 64, 48, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    return rgba;
  };

  DrawList direct;
  Canvas a(direct, 64, 48);
  a.clear(kBlack);
  a.planet(world, {8, 0, 48, 48}, 0.5f);
  a.rectangle({0, 0, 4, 4}, kRed);
  EXPECT_TRUE(test::succeeded(renderer().render(direct, 64, 48, 64, 48)));
  const auto on_screen = screen();

  DrawList via_target;
  Canvas b(via_target, 64, 48);
  b.begin_target(9, 64, 48);
  b.clear(kBlack);
  b.planet(world, {8, 0, 48, 48}, 0.5f);
  b.rectangle({0, 0, 4, 4}, kRed);
  b.end_target();
  b.clear(kBlack);
  b.blit_target(9, {0, 0, 64, 48}, kWhite);
  EXPECT_TRUE(test::succeeded(renderer().render(via_target, 64, 48, 64, 48)));
  const auto blitted = screen();

  Pixels p(on_screen, 64, 48);  // rows bottom first: y = 47 is the top of the screen
  EXPECT_EQ(p.at(1, 46), (Rgba{255, 0, 0, 255}));  // the rectangle after the planet
  EXPECT_EQ(p.at(6, 46), (Rgba{0, 0, 0, 255}));
  EXPECT_NE(p.at(32, 24), (Rgba{0, 0, 0, 255}));   // the planet's middle
  EXPECT_EQ(p.at(62, 24), (Rgba{0, 0, 0, 255}));   // beside its square
  int differing = 0;
  for (std::size_t i = 0; i < on_screen.size(); ++i) differing += on_screen[i] != blitted[i];
  EXPECT_EQ(differing, 0);
  window_->present();
}

TEST_F(GlTest, WindowTurnsEventsIntoFrameInput) {
  FrameInput input;
  ASSERT_TRUE(window_->poll(input));  // drain what the driver queued at start
  auto key = [](Uint32 type, SDL_Keycode sym, SDL_Scancode code, bool repeat = false) {
    SDL_Event e{};
    e.type = type;
    e.key.keysym.sym = sym;
    e.key.keysym.scancode = code;
    e.key.repeat = repeat;
    e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    SDL_PushEvent(&e);
  };
  key(SDL_KEYDOWN, SDLK_d, SDL_SCANCODE_D);
  key(SDL_KEYDOWN, SDLK_j, SDL_SCANCODE_J);
  key(SDL_KEYUP, SDLK_j, SDL_SCANCODE_J);
  key(SDL_KEYDOWN, SDLK_KP_1, SDL_SCANCODE_KP_1);
  key(SDL_KEYDOWN, SDLK_VOLUMEUP, SDL_SCANCODE_VOLUMEUP);
  SDL_Event click{};
  click.type = SDL_MOUSEBUTTONDOWN;
  click.button.button = SDL_BUTTON_LEFT;
  click.button.x = 12;
  click.button.y = 34;
  SDL_PushEvent(&click);
  ASSERT_TRUE(window_->poll(input));
  EXPECT_TRUE(input.is_pressed(Key::D));
  EXPECT_TRUE(input.is_held(Key::D));
  EXPECT_TRUE(input.is_pressed(Key::J));  // a tap within one frame still counts
  EXPECT_FALSE(input.is_held(Key::J));
  EXPECT_FALSE(input.is_pressed(Key::Num1));  // the keypad 1 is not the card key
  EXPECT_EQ(input.pressed_names, (std::vector<std::string>{"D", "J", "Kp1", "Unknown"}));
  EXPECT_TRUE(input.left_click);
  EXPECT_EQ(input.mouse, (Vec2{12, 34}));
  EXPECT_EQ(input.screen_width, 64);
  EXPECT_EQ(input.screen_height, 48);
  EXPECT_GE(input.time, 0);

  // Next frame: D is only held, a repeat is no press, the click is over.
  key(SDL_KEYDOWN, SDLK_d, SDL_SCANCODE_D, true);
  ASSERT_TRUE(window_->poll(input));
  EXPECT_FALSE(input.is_pressed(Key::D));
  EXPECT_TRUE(input.is_held(Key::D));
  EXPECT_TRUE(input.pressed_names.empty());
  EXPECT_FALSE(input.left_click);
  EXPECT_EQ(input.mouse, (Vec2{12, 34}));

  key(SDL_KEYUP, SDLK_d, SDL_SCANCODE_D);
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  SDL_PushEvent(&quit);
  EXPECT_FALSE(window_->poll(input));
  EXPECT_FALSE(input.is_held(Key::D));
}

TEST_F(GlTest, RequestedSizeReachesTheScreenSize) {
  window_->request_size(80, 60);
  FrameInput input;
  window_->poll(input);
  EXPECT_EQ(input.screen_width, 80);
  EXPECT_EQ(input.screen_height, 60);
  window_->request_size(64, 48);
  window_->poll(input);
  window_->present();
  EXPECT_GE(window_->frame_seconds(), 0);
}

}  // namespace
}  // namespace ventora

namespace ventora {
namespace {

// The window asks the window system for high DPI exactly when its configuration says so (the
// plain 960 × 720 mode's does). A fresh process each, so the fixture's context stays current.
TEST(WindowOpen, AsksForHighDpiOnlyWhenConfigured) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  for (bool high_dpi : {false, true}) {
    EXPECT_EXIT(
        {
          setenv("SDL_VIDEODRIVER", "offscreen", 1);
          Result<std::unique_ptr<Window>> opened = Window::open({"Ventora test", 96, 72, high_dpi});
          if (!opened) {
            std::fprintf(stderr, "%s\n", opened.error().message.c_str());
            std::exit(2);
          }
          const std::unique_ptr<Window> window = std::move(opened.value());
          std::exit(window->high_dpi() ? 10 : 11);
        },
        ::testing::ExitedWithCode(high_dpi ? 10 : 11), "")
        << (high_dpi ? "asked for high DPI" : "not asked");
  }
}

// Each case opens the window in a fresh process, so SDL starts from nothing there.
TEST(WindowOpen, FailsWithOneLineThatNamesWhatIsMissing) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  struct Case {
    const char* driver;  // SDL_VIDEODRIVER, or null for none
    const char* gl_version;  // Mesa's version override, or null
    const char* message;
  };
  const Case cases[] = {
      {"bogus", nullptr, "^ventora: cannot open a window: no display \\(.+\\)\n$"},
      // No display at all: SDL would fall back to its invisible driver.
      {nullptr, nullptr, "ventora: cannot open a window: no display \\(.+\\)\n$"},
      {"offscreen", "3.0", "^ventora: OpenGL 3.3 core context unavailable: .+\n$"},
  };
  for (const Case& c : cases) {
    EXPECT_EXIT(
        {
          if (c.driver) setenv("SDL_VIDEODRIVER", c.driver, 1);
          else unsetenv("SDL_VIDEODRIVER");
          unsetenv("DISPLAY");
          unsetenv("WAYLAND_DISPLAY");
          if (c.gl_version) setenv("MESA_GL_VERSION_OVERRIDE", c.gl_version, 1);
          Result<std::unique_ptr<Window>> opened = Window::open({});
          const std::string error = opened ? "" : opened.error().message;
          std::fprintf(stderr, "%s\n", error.c_str());
          std::exit(!opened && error.find('\n') == std::string::npos ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), c.message)
        << (c.driver ? c.driver : "no driver");
  }
}

}  // namespace
}  // namespace ventora
