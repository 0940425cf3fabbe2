// Preloaded into the real binary by the end-to-end tests. Appends a line to $VENTORA_FRAME_LOG for
// every buffer swap ("swap <seconds>"), every sound handed to the mixer ("sound <seconds>"), the
// window's creation ("window-hidden" or "window-shown", as it was created) and every call that
// shows it ("show"), seconds since the process loaded this library, flushed at once so a script
// can follow along.
// With FRAME_LOG_DECODE_DELAY_US set, every MP3 frame decoded takes that much longer, which makes
// the music's start-up last long enough to act during it on any machine.
#include <dlfcn.h>
#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

class Log {
 public:
  Log() {
    if (const char* path = std::getenv("VENTORA_FRAME_LOG")) out_ = std::fopen(path, "w");
    if (const char* delay = std::getenv("FRAME_LOG_DECODE_DELAY_US")) decode_delay_us_ = std::atol(delay);
  }
  ~Log() {
    if (out_) std::fclose(out_);
  }
  void note(const char* what) {
    if (!out_) return;
    const double t = std::chrono::duration<double>(Clock::now() - start_).count();
    std::lock_guard lock(mutex_);
    std::fprintf(out_, "%s %.6f\n", what, t);
    std::fflush(out_);
  }
  long decode_delay_us() const { return decode_delay_us_; }

 private:
  Clock::time_point start_ = Clock::now();
  std::mutex mutex_;
  FILE* out_ = nullptr;
  long decode_delay_us_ = 0;
};

Log& log() {
  static Log instance;
  return instance;
}

// The real function of that name, looked up on first use.
template <typename F>
F next(F& cached, const char* name) {
  if (cached == nullptr) cached = reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
  return cached;
}

__attribute__((constructor)) void start_clock() { log(); }

}  // namespace

extern "C" {

struct SDL_Window;
struct SDL_RWops;
struct Mix_Chunk;
struct mpg123_handle;

SDL_Window* SDL_CreateWindow(const char* title, int x, int y, int w, int h, std::uint32_t flags) {
  static SDL_Window* (*real)(const char*, int, int, int, int, std::uint32_t) = nullptr;
  SDL_Window* window = next(real, "SDL_CreateWindow")(title, x, y, w, h, flags);
  constexpr std::uint32_t kHidden = 0x00000008;  // SDL_WINDOW_HIDDEN
  log().note((flags & kHidden) != 0 ? "window-hidden" : "window-shown");
  return window;
}

void SDL_ShowWindow(SDL_Window* window) {
  static void (*real)(SDL_Window*) = nullptr;
  next(real, "SDL_ShowWindow")(window);
  log().note("show");
}

void SDL_GL_SwapWindow(SDL_Window* window) {
  static void (*real)(SDL_Window*) = nullptr;
  next(real, "SDL_GL_SwapWindow")(window);
  log().note("swap");
}

Mix_Chunk* Mix_QuickLoad_RAW(std::uint8_t* mem, std::uint32_t len) {
  static Mix_Chunk* (*real)(std::uint8_t*, std::uint32_t) = nullptr;
  Mix_Chunk* chunk = next(real, "Mix_QuickLoad_RAW")(mem, len);
  log().note("sound");
  return chunk;
}

Mix_Chunk* Mix_LoadWAV_RW(SDL_RWops* src, int freesrc) {
  static Mix_Chunk* (*real)(SDL_RWops*, int) = nullptr;
  Mix_Chunk* chunk = next(real, "Mix_LoadWAV_RW")(src, freesrc);
  log().note("sound");
  return chunk;
}

int mpg123_decode_frame(mpg123_handle* mh, off_t* num, unsigned char** audio, std::size_t* bytes) {
  static int (*real)(mpg123_handle*, off_t*, unsigned char**, std::size_t*) = nullptr;
  if (log().decode_delay_us() > 0) {
    std::this_thread::sleep_for(std::chrono::microseconds(log().decode_delay_us()));
  }
  return next(real, "mpg123_decode_frame")(mh, num, audio, bytes);
}

}  // extern "C"
