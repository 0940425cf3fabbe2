// A virtual controller on SDL's offscreen video driver, read by the real window: a button press
// reaches the game as a jump, a stick push as a run, and pads come and go while the game runs.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "app/frame_loop.h"
#include "app/pad_controls.h"
#include "game/run.h"
#include "platform/window.h"
#include "tests/support/draw_queries.h"
#include "tests/support/play_frame.h"

namespace ventora {
namespace {

constexpr float kStep = 1.0f / 60.0f;

class VirtualPadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    // The offscreen driver's window never has the focus, and SDL holds back pads without it.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    Result<std::unique_ptr<Window>> opened = Window::open({"Ventora pad test", 64, 48, false});
    if (!opened) GTEST_SKIP() << "no window from the offscreen driver: " << opened.error().message;
    window_ = std::move(opened.value());
    state_ = GameState{};
  }
  void TearDown() override {
    unplug();
    window_.reset();
  }

  void plug_in() {
    SDL_VirtualJoystickDesc desc;
    SDL_zero(desc);
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.name = "Ventora virtual pad";
    device_ = SDL_JoystickAttachVirtualEx(&desc);
    ASSERT_GE(device_, 0) << SDL_GetError();
    joystick_ = SDL_JoystickOpen(device_);
    ASSERT_NE(joystick_, nullptr) << SDL_GetError();
    frame();  // the window hears of the new pad
  }
  void unplug() {
    if (!joystick_) return;
    const SDL_JoystickID id = SDL_JoystickInstanceID(joystick_);
    SDL_JoystickClose(joystick_);
    joystick_ = nullptr;
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
      if (SDL_JoystickGetDeviceInstanceID(i) == id) SDL_JoystickDetachVirtual(i);
    }
  }
  // One frame as the game's loop runs it: the window's input, the controller added, the update.
  FrameInput frame() {
    FrameInput input;
    window_->poll(input);
    apply_pad(window_->pad(), state_.screen, frame_geometry(state_.render_settings.mode, input).hud,
              pointer_, input);
    play_frame(state_, rng_, input, kStep);
    return input;
  }

  std::unique_ptr<Window> window_;
  Pcg32 rng_;
  GameState state_;
  PadPointer pointer_;
  int device_ = -1;
  SDL_Joystick* joystick_ = nullptr;
};

TEST_F(VirtualPadTest, SouthButtonJumps) {
  plug_in();
  SDL_JoystickSetVirtualButton(joystick_, SDL_CONTROLLER_BUTTON_A, SDL_PRESSED);
  const FrameInput input = frame();
  EXPECT_TRUE(window_->pad().is_pressed(PadButton::South));
  EXPECT_TRUE(input.is_pressed(Key::Space));
  EXPECT_TRUE(input.pressed_names.empty());
  EXPECT_EQ(state_.jump_count, 1u);
  EXPECT_GT(state_.player_vspeed, 0);
  // Held on, it was pressed once: the next frame does not press it again.
  frame();
  EXPECT_FALSE(window_->pad().is_pressed(PadButton::South));
  EXPECT_TRUE(window_->pad().is_held(PadButton::South));
}

TEST_F(VirtualPadTest, StickPushRunsUntilThePadIsPulledOut) {
  plug_in();
  SDL_JoystickSetVirtualAxis(joystick_, SDL_CONTROLLER_AXIS_LEFTX, SDL_JOYSTICK_AXIS_MAX);
  const FrameInput input = frame();
  EXPECT_TRUE(input.is_held(Key::Right));
  EXPECT_EQ(state_.facing, Facing::Right);
  EXPECT_NE(state_.planet_turn, 0.0f);  // running right turns the planet
  for (int i = 0; i < 10; ++i) frame();
  const float turned = state_.planet_turn;
  unplug();
  const FrameInput after = frame();
  EXPECT_FALSE(after.is_held(Key::Right)) << "a pulled-out pad holds nothing";
  EXPECT_EQ(state_.planet_turn, turned);
  // Plugged in again while the game runs, it plays again.
  plug_in();
  SDL_JoystickSetVirtualButton(joystick_, SDL_CONTROLLER_BUTTON_DPAD_LEFT, SDL_PRESSED);
  EXPECT_TRUE(frame().is_held(Key::Left));
}

// The stick counts as pushed past half-way and as let go only well below it again, so a stick
// resting near the line does not stutter between running and standing.
TEST_F(VirtualPadTest, StickHasHysteresis) {
  plug_in();
  struct Step {
    Sint16 x;
    bool left_held;
  };
  const Step steps[] = {{-12000, false}, {-20000, true}, {-12000, true}, {-9000, false},
                        {-12000, false}, {-20000, true}, {0, false}};
  for (const Step& s : steps) {
    SDL_JoystickSetVirtualAxis(joystick_, SDL_CONTROLLER_AXIS_LEFTX, s.x);
    EXPECT_EQ(frame().is_held(Key::Left), s.left_held) << "stick at " << s.x;
  }
}

// The frame loop over the real window, recording what it would show; no music.
class RecordingWindowHost final : public FrameHost {
 public:
  explicit RecordingWindowHost(Window& window) : window_(window) {}
  bool poll(FrameInput& input) override { return window_.poll(input); }
  PadInput pad() override { return window_.pad(); }
  ShellInput shell() override { return window_.shell(); }
  void pause_sound(bool) override {}
  double frame_seconds() override { return kStep; }
  void request_size(WindowSize) override {}
  void show(const DrawList& list) override { shown = list; }
  bool poll_music(std::unique_ptr<MusicPlayer>& player, Pcg32&) override {
    player.reset();
    return true;
  }
  ClockReading clock() override { return {1765000000, 0}; }

  DrawList shown;

 private:
  Window& window_;
};

void push_key(SDL_Keycode key) {
  SDL_Event event;
  SDL_zero(event);
  event.type = SDL_KEYDOWN;
  event.key.keysym.sym = key;
  event.key.keysym.scancode = SDL_GetScancodeFromKey(key);
  SDL_PushEvent(&event);
  event.type = SDL_KEYUP;
  SDL_PushEvent(&event);
}

// Through the loop and the real window: a pad's button switches the HUD's hint to the pad's
// buttons, a key switches it back; Start pauses the fight, P (which never reaches the game's
// keys) resumes it.
TEST_F(VirtualPadTest, TheHintFollowsTheDeviceAndStartPauses) {
  plug_in();
  RecordingWindowHost host(*window_);
  FrameLoop loop(host, OutputMode::Og);
  for (int i = 0; i < 3; ++i) ASSERT_EQ(loop.step().next, StepResult::Next::Continue);
  ASSERT_EQ(loop.loop_state(), LoopState::Running);
  const std::string keyboard_hint = "A/D run   Space jumps   J/Enter fires";
  draw_queries::drawn_text(host.shown, keyboard_hint);

  SDL_JoystickSetVirtualButton(joystick_, SDL_CONTROLLER_BUTTON_X, SDL_PRESSED);
  ASSERT_EQ(loop.step().next, StepResult::Next::Continue);
  SDL_JoystickSetVirtualButton(joystick_, SDL_CONTROLLER_BUTTON_X, SDL_RELEASED);
  draw_queries::drawn_text(host.shown, "Stick runs   A jumps   X fires");
  EXPECT_EQ(draw_queries::find_text(host.shown, keyboard_hint), nullptr);

  SDL_JoystickSetVirtualButton(joystick_, SDL_CONTROLLER_BUTTON_START, SDL_PRESSED);
  ASSERT_EQ(loop.step().next, StepResult::Next::Continue);
  SDL_JoystickSetVirtualButton(joystick_, SDL_CONTROLLER_BUTTON_START, SDL_RELEASED);
  ASSERT_TRUE(loop.paused());
  draw_queries::drawn_text(host.shown, "Start resumes   Back quits");

  push_key(SDLK_p);
  FrameInput seen;
  ASSERT_EQ(loop.step().next, StepResult::Next::Continue);
  EXPECT_FALSE(loop.paused());
  draw_queries::drawn_text(host.shown, keyboard_hint);
  EXPECT_EQ(draw_queries::find_text(host.shown, "Stick runs   A jumps   X fires"), nullptr);
  // P is the shell's: the game's input never hears of it.
  push_key(SDLK_p);
  window_->poll(seen);
  EXPECT_TRUE(window_->shell().pause_key);
  EXPECT_TRUE(seen.pressed_names.empty());
}

}  // namespace
}  // namespace ventora
