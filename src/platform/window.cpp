#include "platform/window.h"

#include <SDL.h>
#include <epoxy/gl.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string_view>

#include "platform/gamepads.h"
#include "render/gl_renderer.h"
#include "platform/key_names.h"
#include "render/letterbox.h"
#include "render/scaled_presenter.h"
#include "platform/window_fit.h"
#include "platform/window_icon.h"

namespace ventora {

namespace {

// The context the game draws with: OpenGL 3.3 core on the desktop; in the browser WebGL2, which is
// OpenGL ES 3.0.
#ifdef __EMSCRIPTEN__
constexpr const char* kContextName = "WebGL2 (OpenGL ES 3.0)";
void ask_for_context() {
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_ES);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 0);
}
#else
constexpr const char* kContextName = "OpenGL 3.3 core context";
void ask_for_context() {
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
}
#endif

// The desktop entry's picture in the title bar and task switcher too; without it SDL's default.
void set_icon(SDL_Window* window) {
  IconPixels icon = window_icon_pixels();
  if (icon.rgba.empty()) return;
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
      icon.rgba.data(), icon.width, icon.height, 32, icon.width * 4, SDL_PIXELFORMAT_RGBA32);
  if (!surface) return;
  SDL_SetWindowIcon(window, surface);
  SDL_FreeSurface(surface);
}

constexpr const char* kNoDisplay =
    "ventora: cannot open a window: no display (no X11 or Wayland display found)";

#ifndef __EMSCRIPTEN__
// Whether the Wayland client can look for a display: where neither $XDG_RUNTIME_DIR nor
// $WAYLAND_DISPLAY is an absolute path, it prints "XDG_RUNTIME_DIR is invalid or not set" and
// gives up.
bool wayland_can_look() {
  for (const char* name : {"XDG_RUNTIME_DIR", "WAYLAND_DISPLAY"}) {
    const char* value = SDL_getenv(name);
    if (value && value[0] == '/') return true;
  }
  return false;
}
#endif

}  // namespace

struct Window::Impl {
  SDL_Window* window = nullptr;
  SDL_GLContext context = nullptr;
  std::unique_ptr<GlRenderer> renderer;
  std::unique_ptr<ScaledPresenter> presenter;  // made when the window first differs from the game
  std::unique_ptr<Gamepads> gamepads;  // only when SDL's controller support started
  PadInput pad;
  std::vector<SoundKey> sound_keys;  // of the last poll
  ShellInput shell;                  // of the last poll
  Scaling scaling = Scaling::Fill;
  bool fullscreen = false;
  // The window manager tells the size of its frame only after the window shows; until then the
  // window is placed as if it had none (and stays so where no window manager frames it).
  bool framed = false;
  int game_width = 0, game_height = 0;  // the size the game asked for (its mode's)
  // False for the offscreen driver (tests, tools): its made-up display is no screen to fit, and
  // its windows open at the game's size, drawn without scaling.
  bool fits_display = true;
  decltype(FrameInput::held) held;
  Vec2 mouse;  // window coordinates
  Uint64 start = 0;
  Uint64 last_present = 0;
  double frame_seconds = 0;
  bool vsync = false;

  ~Impl() {
    renderer.reset();  // their GL objects go while the context still exists
    presenter.reset();
    if (gamepads) {
      gamepads.reset();
      SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    }
    if (context) SDL_GL_DeleteContext(context);
    if (window) SDL_DestroyWindow(window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
  }
  // Whether the game draws straight onto the window: a window of the game's own size.
  bool direct() const {
    if (fullscreen) return false;
    int ww = 0, wh = 0;
    SDL_GetWindowSize(window, &ww, &wh);
    return ww == game_width && wh == game_height;
  }
  // Where the game's picture sits on the drawable when it does not.
  Letterbox picture_box() const {
    int dw = 0, dh = 0;
    SDL_GL_GetDrawableSize(window, &dw, &dh);
    return letterbox(game_width, game_height, dw, dh, scaling);
  }
  // Asks for the window at the game's size where it fits its display's usable area with the
  // window manager's frame around it, else at the largest size of that shape that does, centred.
  // The window manager may still give it another size; the picture is scaled to whatever it gets.
  void place() {
    const std::optional<PixelRect> fitted =
        fitted_on(std::max(SDL_GetWindowDisplayIndex(window), 0), borders());
    if (!fitted) {
      SDL_SetWindowSize(window, game_width, game_height);
      return;
    }
    SDL_SetWindowSize(window, fitted->width, fitted->height);
    SDL_SetWindowPosition(window, fitted->x, fitted->y);
  }
  // The game's size fitted to a display's usable area with `frame` around it; nothing where there
  // is no display to fit (the offscreen driver's, or one SDL cannot measure).
  std::optional<PixelRect> fitted_on(int display, const FrameBorders& frame) const {
    SDL_Rect area;
    if (!fits_display || SDL_GetDisplayUsableBounds(display, &area) != 0) return std::nullopt;
    return fit_window(game_width, game_height, {area.x, area.y, area.w, area.h}, frame);
  }
  // The window manager's frame as known now; none where it is not (yet) known.
  FrameBorders borders() const {
    FrameBorders b;
    if (SDL_GetWindowBordersSize(window, &b.top, &b.left, &b.bottom, &b.right) != 0) return {};
    return b;
  }
  // Places the window again, once, as soon as its frame is known.
  void place_once_framed() {
    if (framed) return;
    const FrameBorders b = borders();
    if (b.top == 0 && b.left == 0 && b.bottom == 0 && b.right == 0) return;
    framed = true;
    if (!fullscreen) place();
  }
  // A window point in the units the game lays out in.
  Vec2 game_point(Vec2 p) const {
    if (direct()) return p;
    int ww = 0, wh = 0, dw = 0, dh = 0;
    SDL_GetWindowSize(window, &ww, &wh);
    SDL_GL_GetDrawableSize(window, &dw, &dh);
    const Vec2 pixels{p.x * static_cast<float>(dw) / static_cast<float>(std::max(ww, 1)),
                      p.y * static_cast<float>(dh) / static_cast<float>(std::max(wh, 1))};
    return to_game_units(picture_box(), pixels);
  }
  double seconds_since(Uint64 then) const {
    return static_cast<double>(SDL_GetPerformanceCounter() - then) /
           static_cast<double>(SDL_GetPerformanceFrequency());
  }
};

Window::Window(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

Window::~Window() = default;

Result<std::unique_ptr<Window>> Window::open(const WindowConfig& config) {
  const char* asked = SDL_GetHint(SDL_HINT_VIDEODRIVER);  // SDL_VIDEODRIVER, if the user set it
  const std::optional<std::string> driver_asked =
      asked ? std::optional<std::string>(asked) : std::nullopt;
  // The Wayland client library prints its own line before it fails for want of a place to find
  // a display; where it would, SDL looks everywhere else in its usual order.
  // (The browser has one driver of its own, the page's canvas.)
#ifndef __EMSCRIPTEN__
  if (!driver_asked && !wayland_can_look()) SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11,KMSDRM");
#endif
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    if (!driver_asked) return Error{kNoDisplay};
    return Error{std::string("ventora: cannot open a window: no display (") + SDL_GetError() + ")"};
  }
  auto impl = std::make_unique<Impl>();
  // Without a display SDL falls back to its invisible offscreen driver; only tests ask for it.
  const std::string driver = SDL_GetCurrentVideoDriver() ? SDL_GetCurrentVideoDriver() : "";
  if ((driver == "offscreen" || driver == "dummy") &&
      (!driver_asked || driver_asked->find(driver) == std::string::npos)) {
    return Error{kNoDisplay};
  }
  ask_for_context();
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, 0);
  SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, 0);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
  // In the browser the page sizes the canvas on screen; the canvas itself keeps the game's size.
  // Hidden until it has a picture of its own: shown at once, a window shows whatever was on the
  // screen behind it until its first frame.
  const bool in_page = driver == "emscripten";
  Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN | (in_page ? 0 : SDL_WINDOW_RESIZABLE);
  if (config.high_dpi) flags |= SDL_WINDOW_ALLOW_HIGHDPI;
  impl->game_width = std::max(config.width, 1);
  impl->game_height = std::max(config.height, 1);
  impl->fits_display = driver != "offscreen" && !in_page;
  // The size that fits the usable area before the frame is known; placed again once it is.
  const PixelRect first = impl->fitted_on(0, {}).value_or(
      PixelRect{0, 0, impl->game_width, impl->game_height});
  impl->window = SDL_CreateWindow(config.title.c_str(), SDL_WINDOWPOS_CENTERED,
                                  SDL_WINDOWPOS_CENTERED, first.width, first.height, flags);
  if (!impl->window) {
    return Error{std::string("ventora: cannot open a window: ") + SDL_GetError()};
  }
  set_icon(impl->window);
  impl->context = SDL_GL_CreateContext(impl->window);
  if (!impl->context) {
    return Error{std::string("ventora: ") + kContextName + " unavailable: " + SDL_GetError()};
  }
#ifndef __EMSCRIPTEN__
  if (epoxy_gl_version() < 33) {
    return Error{std::string("ventora: ") + kContextName + " unavailable: the driver offers only " +
                     std::to_string(epoxy_gl_version() / 10) + "." +
                     std::to_string(epoxy_gl_version() % 10)};
  }
#endif
  // The game reads keys, not typed text: no input method window should pop up.
  SDL_StopTextInput();
  // Vsync is a wish: some servers refuse it, and the frame loop then paces itself.
  impl->vsync = config.vsync && SDL_GL_SetSwapInterval(1) == 0;
  if (!config.vsync) SDL_GL_SetSwapInterval(0);
  Result<std::unique_ptr<GlRenderer>> renderer = GlRenderer::create();
  if (!renderer) return renderer.error();
  impl->renderer = std::move(renderer.value());
  // Buttons by their place on the pad, whatever its maker prints on them: South jumps on every pad.
  SDL_SetHint(SDL_HINT_GAMECONTROLLER_USE_BUTTON_LABELS, "0");
  // Without controller support the game plays with keyboard and mouse alone.
  if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0) impl->gamepads = std::make_unique<Gamepads>();
  impl->scaling = config.scaling;
  impl->place();
  impl->start = impl->last_present = SDL_GetPerformanceCounter();
  int mx = 0, my = 0;
  SDL_GetMouseState(&mx, &my);
  impl->mouse = {static_cast<float>(mx), static_cast<float>(my)};
  std::unique_ptr<Window> window(new Window(std::move(impl)));
  // A window system without fullscreen leaves the game windowed, which plays the same.
  if (config.fullscreen) static_cast<void>(window->set_fullscreen(true));
  window->show_cleared();
  return window;
}

namespace {

// F11, or Enter with Alt held: the window's own keys.
bool fullscreen_toggle(const SDL_Keysym& sym) {
  if (sym.sym == SDLK_F11) return true;
  return (sym.sym == SDLK_RETURN || sym.sym == SDLK_KP_ENTER) && (sym.mod & KMOD_ALT);
}

// M, + and -: the shell's sound keys.
std::optional<SoundKey> sound_key(SDL_Keycode key) {
  switch (key) {
    case SDLK_m: return SoundKey::Mute;
    case SDLK_PLUS:
    case SDLK_EQUALS:
    case SDLK_KP_PLUS: return SoundKey::Louder;
    case SDLK_MINUS:
    case SDLK_KP_MINUS: return SoundKey::Quieter;
    default: return std::nullopt;
  }
}

// What a window event tells the shell: the player looks away, or the picture must be drawn again.
void note_window_event(Uint8 event, ShellInput& shell) {
  switch (event) {
    case SDL_WINDOWEVENT_FOCUS_LOST:
    case SDL_WINDOWEVENT_MINIMIZED:
    case SDL_WINDOWEVENT_HIDDEN: shell.focus_lost = true; break;
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_SIZE_CHANGED:
    case SDL_WINDOWEVENT_MAXIMIZED:
    case SDL_WINDOWEVENT_RESTORED: shell.redraw = true; break;
    default: break;
  }
}

}  // namespace

bool Window::poll(FrameInput& input) {
  Impl& w = *impl_;
  w.sound_keys.clear();
  w.shell = {};
  input.pressed.reset();
  input.pressed_names.clear();
  input.left_click = false;
  if (w.gamepads) w.gamepads->begin_frame();
  bool open = true;
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
    if (w.gamepads && w.gamepads->handle(event)) continue;
    switch (event.type) {
      case SDL_QUIT: open = false; break;
      case SDL_WINDOWEVENT: note_window_event(event.window.event, w.shell); break;
      case SDL_KEYDOWN: {
        if (event.key.repeat) break;
        const SDL_Keysym& sym = event.key.keysym;
        w.shell.keyboard_used = true;
        if (sym.sym == SDLK_p) {
          w.shell.pause_key = true;
          break;
        }
        if (fullscreen_toggle(sym)) {
          static_cast<void>(set_fullscreen(!w.fullscreen));  // refused: the window stays as it is
          break;
        }
        if (const auto key = sound_key(sym.sym)) {
          w.sound_keys.push_back(*key);
          break;
        }
        if (auto key = game_key(sym.sym)) {
          input.pressed.set(static_cast<std::size_t>(*key));
          w.held.set(static_cast<std::size_t>(*key));
        }
        // The keys of a frame form a set: a key tapped twice in one frame counts once.
        const std::string name(key_code_name(sym.sym, sym.scancode));
        if (std::find(input.pressed_names.begin(), input.pressed_names.end(), name) ==
            input.pressed_names.end()) {
          input.pressed_names.push_back(name);
        }
        break;
      }
      case SDL_KEYUP:
        if (auto key = game_key(event.key.keysym.sym)) w.held.reset(static_cast<std::size_t>(*key));
        break;
      case SDL_MOUSEMOTION:
        w.mouse = {static_cast<float>(event.motion.x), static_cast<float>(event.motion.y)};
        break;
      case SDL_MOUSEBUTTONDOWN:
        w.mouse = {static_cast<float>(event.button.x), static_cast<float>(event.button.y)};
        if (event.button.button == SDL_BUTTON_LEFT) input.left_click = true;
        w.shell.keyboard_used = true;
        break;
      default: break;
    }
  }
  w.place_once_framed();
  // A key released in the same frame it went down still counts as pressed, not as held.
  input.held = w.held;
  input.mouse = w.game_point(w.mouse);
  w.pad = w.gamepads ? w.gamepads->input() : PadInput{};
  input.screen_width = static_cast<float>(width());
  input.screen_height = static_cast<float>(height());
  input.time = w.seconds_since(w.start);
  return open;
}

const PadInput& Window::pad() const { return impl_->pad; }

const ShellInput& Window::shell() const { return impl_->shell; }

void Window::wait_for_events(double seconds) {
  // A null event leaves what arrives in the queue for the next poll.
  SDL_WaitEventTimeout(nullptr, static_cast<int>(std::lround(std::max(seconds, 0.0) * 1000)));
}

std::span<const SoundKey> Window::sound_keys() const { return impl_->sound_keys; }

double Window::frame_seconds() const { return impl_->frame_seconds; }

double Window::refresh_rate() const {
  SDL_DisplayMode mode;
  if (SDL_GetWindowDisplayMode(impl_->window, &mode) != 0) return 0;
  return mode.refresh_rate;
}

bool Window::vsync() const { return impl_->vsync; }

void Window::request_size(int width, int height) {
  Impl& w = *impl_;
  w.game_width = std::max(width, 1);
  w.game_height = std::max(height, 1);
  if (!w.fullscreen) w.place();
}

Status Window::set_fullscreen(bool on) {
  Impl& w = *impl_;
  if (on == w.fullscreen) return Done{};
  if (SDL_SetWindowFullscreen(w.window, on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0) {
    return Error{std::string("cannot go fullscreen: ") + SDL_GetError()};
  }
  w.fullscreen = on;
  if (!on) {
    // The window manager frames it again after this call; it is placed again once it has.
    w.framed = false;
    w.place();
  }
  return Done{};
}

bool Window::fullscreen() const { return impl_->fullscreen; }

Status Window::draw(const DrawList& list) {
  Impl& w = *impl_;
  int dw = 0, dh = 0;
  SDL_GL_GetDrawableSize(w.window, &dw, &dh);
  if (!w.direct()) {
    if (!w.presenter) w.presenter = std::make_unique<ScaledPresenter>();
    if (w.presenter->begin(w.game_width, w.game_height)) {
      const Status drawn = w.renderer->render(list, static_cast<float>(w.game_width),
                                              static_cast<float>(w.game_height), w.game_width,
                                              w.game_height);
      w.presenter->present(w.picture_box(), dw, dh);
      return drawn;
    }
  }
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
  return w.renderer->render(list, static_cast<float>(width()), static_cast<float>(height()), dw, dh);
}

void Window::present() {
  SDL_GL_SwapWindow(impl_->window);
  const Uint64 now = SDL_GetPerformanceCounter();
  impl_->frame_seconds = static_cast<double>(now - impl_->last_present) /
                         static_cast<double>(SDL_GetPerformanceFrequency());
  impl_->last_present = now;
}

void Window::show_cleared() {
  const auto clear = [this] {
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    SDL_GL_SwapWindow(impl_->window);
  };
  // Once unseen: a software driver builds its code for the clear and the swap on their first use,
  // which would keep the window showing the screen behind it meanwhile.
  clear();
  SDL_ShowWindow(impl_->window);  // returns once the window is on the screen
  clear();
}

GlRenderer& Window::renderer() { return *impl_->renderer; }

int Window::width() const { return impl_->game_width; }

int Window::height() const { return impl_->game_height; }

bool Window::high_dpi() const {
  return (SDL_GetWindowFlags(impl_->window) & SDL_WINDOW_ALLOW_HIGHDPI) != 0;
}

}  // namespace ventora
