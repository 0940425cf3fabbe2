// Looks at the game's window straight from the X server for the end-to-end scripts: one
// XGetImage per look inside one process, where a screenshot tool costs a process and up to a
// second per look on a busy machine. Aiming happens here too, so the key goes out the moment the
// picture shows the boss in place, by the game's own clock rather than the wall clock's.
//
//   window_probe WID pixel X Y                      prints "r,g,b"
//   window_probe WID await-pixel X Y R,G,B SECONDS   waits for pixel (X, Y) to turn R,G,B
//   window_probe WID save FILE.ppm                   the window as a PPM picture
//   window_probe WID await-boss SHORT SECONDS [KEY]  waits until the boss is SHORT radians before
//                                                    the strike point of the lit launch pad, then
//                                                    taps KEY (an X key name) if given
//   window_probe WID maximise                        asks the window manager to maximise it
//
// Exit status 0 when done, 1 when the wait timed out or the window is gone, 2 on bad usage.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <thread>

namespace {

struct Rgb {
  int r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};

// The scene's colours the probe looks for (src/view/scene.cpp).
constexpr Rgb kBossPip{225, 70, 80};
constexpr Rgb kPadLit{246, 225, 107};
constexpr Rgb kPadOther{168, 150, 116};

constexpr double kPi = 3.14159265358979323846;
double wrap(double a) {
  a = std::fmod(a, 2 * kPi);
  return a < 0 ? a + 2 * kPi : a;
}

// One grab of the whole window.
class Picture {
 public:
  Picture(Display* display, Window window) {
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes)) return;
    image_ = XGetImage(display, window, 0, 0, static_cast<unsigned>(attributes.width),
                       static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
    fast_ = image_ && image_->bits_per_pixel == 32 && image_->byte_order == LSBFirst;
  }
  ~Picture() {
    if (image_) XDestroyImage(image_);
  }
  Picture(const Picture&) = delete;
  Picture& operator=(const Picture&) = delete;

  bool ok() const { return image_ != nullptr; }
  int width() const { return image_->width; }
  int height() const { return image_->height; }
  Rgb at(int x, int y) const {
    // The common 32-bit layout is read in place; XGetPixel per pixel makes a look ten times slower.
    const unsigned long p =
        fast_ ? reinterpret_cast<const std::uint32_t*>(image_->data + y * image_->bytes_per_line)[x]
              : XGetPixel(image_, x, y);
    return {static_cast<int>((p & image_->red_mask) >> shift(image_->red_mask)),
            static_cast<int>((p & image_->green_mask) >> shift(image_->green_mask)),
            static_cast<int>((p & image_->blue_mask) >> shift(image_->blue_mask))};
  }

 private:
  static int shift(unsigned long mask) {
    int s = 0;
    while (mask && !(mask & 1)) {
      mask >>= 1;
      ++s;
    }
    return s;
  }
  XImage* image_ = nullptr;
  bool fast_ = false;
};

struct Box {
  int x0, y0, x1, y1;  // inclusive
  double cx() const { return (x0 + x1) / 2.0; }
  double cy() const { return (y0 + y1) / 2.0; }
  int w() const { return x1 - x0 + 1; }
  int h() const { return y1 - y0 + 1; }
};

// The bounding boxes of the boss's pips and of the lit and the other pad disc, in one pass.
struct SceneBoxes {
  std::optional<Box> pips, lit, other;
};

void grow(std::optional<Box>& box, int x, int y) {
  if (!box) box = Box{x, y, x, y};
  box->x0 = std::min(box->x0, x);
  box->x1 = std::max(box->x1, x);
  box->y0 = std::min(box->y0, y);
  box->y1 = std::max(box->y1, y);
}

SceneBoxes scene_boxes(const Picture& picture) {
  SceneBoxes boxes;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      const Rgb c = picture.at(x, y);
      if (c == kBossPip)
        grow(boxes.pips, x, y);
      else if (c == kPadLit)
        grow(boxes.lit, x, y);
      else if (c == kPadOther)
        grow(boxes.other, x, y);
    }
  }
  return boxes;
}

// How far the boss is past the lit pad's strike point, along its walk (it walks towards growing
// angles), in [0, 2π); nothing when the boss or both pads are hidden. Angles are measured on the
// screen around the planet's centre; the planet's turn is the same for the boss and the pads, so
// it drops out. The boss stands 38 units below its row of hit-point pips, 16 units apart with the
// first 16 units left of it; a pad's strike point is opposite its disc, a whole disc is 18 units.
std::optional<double> boss_past_strike_point(const Picture& picture) {
  const double u = picture.width() / 960.0;
  const double cx = picture.width() / 2.0, cy = 0.54 * picture.height();
  const SceneBoxes boxes = scene_boxes(picture);
  const std::optional<Box>& pips = boxes.pips;
  if (!pips) return std::nullopt;
  const int n = static_cast<int>((pips->w() - 9 * u) / (16 * u) + 0.5) + 1;
  const double bx = pips->cx() + 16 * u - 8 * u * (n - 1), by = pips->cy() + 38 * u;
  const double boss = std::atan2(by - cy, bx - cx);

  const auto whole_disc = [&](const std::optional<Box>& b) {
    return b && b->w() >= 14 * u && b->h() >= 14 * u;
  };
  double strike = 0;
  if (whole_disc(boxes.lit)) {
    strike = std::atan2(boxes.lit->cy() - cy, boxes.lit->cx() - cx) + kPi;
  } else if (whole_disc(boxes.other)) {
    // The lit pad's strike point lies where the other pad's disc is.
    strike = std::atan2(boxes.other->cy() - cy, boxes.other->cx() - cx);
  } else {
    return std::nullopt;
  }
  return wrap(boss - strike);
}

using Clock = std::chrono::steady_clock;

bool tap_key(Display* display, const char* name) {
  const KeySym sym = XStringToKeysym(name);
  const KeyCode code = sym == NoSymbol ? 0 : XKeysymToKeycode(display, sym);
  if (code == 0) return false;
  XTestFakeKeyEvent(display, code, True, CurrentTime);
  XTestFakeKeyEvent(display, code, False, 30);  // held for 30 ms, like a finger
  XFlush(display);
  return true;
}

int await_boss(Display* display, Window window, double short_of, double seconds, const char* key) {
  // Looks come seconds apart on a busy machine and the boss walks on in between, so the key goes
  // out at the look nearest the aim: when half the boss's step from the last look would carry it
  // past. The step is measured between looks, in the game's own pace as the picture shows it.
  constexpr double kLongestStep = 0.4;  // a larger step is a look that missed frames or the boss
  constexpr double kCatch = 0.25;       // arriving this far past the aim still counts
  const double aim = wrap(-short_of);
  const auto deadline = Clock::now() + std::chrono::duration<double>(seconds);
  std::optional<double> last;
  double step = 0;
  while (Clock::now() < deadline) {
    const Picture picture(display, window);
    if (!picture.ok()) return 1;
    const std::optional<double> now = boss_past_strike_point(picture);
    if (now && last) {
      const double moved = wrap(*now - *last);
      step = moved < kLongestStep ? moved : 0;
    }
    last = now;
    if (!now) continue;
    const double to_aim = wrap(*now - aim + kPi) - kPi;  // < 0 while still walking towards it
    if (to_aim + step / 2 >= 0 && to_aim < kCatch) {
      if (key && !tap_key(display, key)) return 2;
      std::printf("%.3f\n", *now);
      return 0;
    }
  }
  std::fprintf(stderr, "the boss never came to %.2f rad before the strike point (last seen %s)\n",
               short_of, last ? std::to_string(*last).c_str() : "nowhere");
  return 1;
}

int await_pixel(Display* display, Window window, int x, int y, Rgb want, double seconds) {
  const auto deadline = Clock::now() + std::chrono::duration<double>(seconds);
  Rgb seen;
  while (Clock::now() < deadline) {
    const Picture picture(display, window);
    if (!picture.ok()) return 1;
    if (x >= picture.width() || y >= picture.height()) break;
    seen = picture.at(x, y);
    if (seen == want) return 0;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  std::fprintf(stderr, "pixel (%d, %d) is %d,%d,%d, expected %d,%d,%d\n", x, y, seen.r, seen.g,
               seen.b, want.r, want.g, want.b);
  return 1;
}

int save(Display* display, Window window, const char* path) {
  const Picture picture(display, window);
  if (!picture.ok()) return 1;
  FILE* out = std::fopen(path, "wb");
  if (!out) return 1;
  std::fprintf(out, "P6\n%d %d\n255\n", picture.width(), picture.height());
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      const Rgb c = picture.at(x, y);
      std::fputc(c.r, out);
      std::fputc(c.g, out);
      std::fputc(c.b, out);
    }
  }
  return std::fclose(out) == 0 ? 0 : 1;
}

// What a pager does: asks the window manager, through the root window, to maximise the window.
int maximise(Display* display, Window window) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "_NET_WM_STATE", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = 1;  // add
  event.xclient.data.l[1] = static_cast<long>(XInternAtom(display, "_NET_WM_STATE_MAXIMIZED_VERT", False));
  event.xclient.data.l[2] = static_cast<long>(XInternAtom(display, "_NET_WM_STATE_MAXIMIZED_HORZ", False));
  event.xclient.data.l[3] = 2;  // from a pager, not the application
  const Status sent = XSendEvent(display, DefaultRootWindow(display), False,
                                 SubstructureRedirectMask | SubstructureNotifyMask, &event);
  XSync(display, False);
  return sent != 0 ? 0 : 1;
}

int usage() {
  std::fprintf(stderr,
               "usage: window_probe WID pixel X Y | await-pixel X Y R,G,B SECONDS | save FILE.ppm |"
               " await-boss SHORT SECONDS [KEY] | maximise\n");
  return 2;
}

// Ignores X errors (a window that went away shows as a failed grab) instead of exiting.
int ignore_x_error(Display*, XErrorEvent*) { return 0; }

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return usage();
  const Window window = std::strtoul(argv[1], nullptr, 0);
  const std::string command = argv[2];
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "window_probe: cannot open the display\n");
    return 1;
  }
  XSetErrorHandler(ignore_x_error);
  int status = 2;
  if (command == "pixel" && argc == 5) {
    const Picture picture(display, window);
    const int x = std::atoi(argv[3]), y = std::atoi(argv[4]);
    status = 1;
    if (picture.ok() && x < picture.width() && y < picture.height()) {
      const Rgb c = picture.at(x, y);
      std::printf("%d,%d,%d\n", c.r, c.g, c.b);
      status = 0;
    }
  } else if (command == "await-pixel" && argc == 7) {
    Rgb want;
    if (std::sscanf(argv[5], "%d,%d,%d", &want.r, &want.g, &want.b) == 3) {
      status = await_pixel(display, window, std::atoi(argv[3]), std::atoi(argv[4]), want,
                           std::atof(argv[6]));
    }
  } else if (command == "save" && argc == 4) {
    status = save(display, window, argv[3]);
  } else if (command == "await-boss" && (argc == 5 || argc == 6)) {
    status = await_boss(display, window, std::atof(argv[3]), std::atof(argv[4]),
                        argc == 6 ? argv[5] : nullptr);
  } else if (command == "maximise" && argc == 3) {
    status = maximise(display, window);
  } else {
    usage();
  }
  XCloseDisplay(display);
  return status;
}
