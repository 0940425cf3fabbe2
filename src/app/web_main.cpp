// The browser's start-up and host. The page calls main once the player clicked or pressed a key
// (sound may only start after a gesture); main opens the window on the page's canvas and hands the
// frame loop to the browser, which calls one step per animation frame. A step never waits, so the
// host has no waiting of its own: a paused game simply shows nothing new. The tab cannot be closed
// from here, so Escape pauses, as does the page going out of sight or losing the focus; from the
// pause Escape quits, as the pause screen says, and a recording goes to the page then.
#include <emscripten.h>
#include <emscripten/html5.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/command_line.h"
#include "app/frame_loop.h"
#include "app/replay_options.h"
#include "app/replay_playback.h"
#include "app/replay_recorder.h"
#include "app/replay_window.h"
#include "app/running_frame.h"
#include "app/window_config.h"
#include "app/window_host.h"
#include "base/result.h"
#include "music/arriving_music.h"
#include "music/fetched_tracks.h"
#include "music/music_player.h"
#include "platform/window.h"

namespace ventora {
namespace {

// The page's side (web/page.js): a finished recording goes to the player as a download.
EM_JS(void, hand_recording_to_page, (const char* path), {
  Module.ventoraRecordingDone(UTF8ToString(path));
});

// The page's side: the game has quit (Escape from the pause) or a recording played to its end; the
// page offers to play again.
EM_JS(void, tell_page_the_game_ended, (), {
  if (Module.ventoraGameEnded) Module.ventoraGameEnded();  // not under Node.js
});

// The page fetches the soundtrack's files (one name a line) into the module's file system; a file
// that does not arrive is reported on the console, and its track fails to decode like a bad one.
EM_JS(void, ask_page_for_music, (const char* names), {
  const files = UTF8ToString(names).split('\n').filter((name) => name.length > 0);
  Module.ventoraMusicPending = files.length;
  Module.ventoraFetchMusic(files, () => { Module.ventoraMusicPending--; }, (name, why) => {
    console.error('music/' + name + ' did not arrive: ' + why);
    Module.ventoraMusicPending--;
  });
});

// How many of the asked files are still on their way.
EM_JS(int, music_files_pending, (), { return Module.ventoraMusicPending; });

void fetch_music_files() {
  std::string names;
  for (std::string_view file : fetched_track_files()) (names += file) += '\n';
  ask_page_for_music(names.c_str());
}

// The page's start-up timeline, for whoever measures it (performance.getEntriesByName).
EM_JS(void, mark_timeline, (const char* name), { performance.mark(UTF8ToString(name)); });

// The frame loop's window and sound in the page. The page going out of sight or losing the focus
// counts as the window losing it; Escape is the pause key here, except in a pause.
class PageHost final : public WindowHost {
 public:
  PageHost(Window& window, OutputMode mode) : WindowHost(window, mode) {
    emscripten_set_visibilitychange_callback(this, false, &PageHost::on_visibility);
    emscripten_set_blur_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, this, false, &PageHost::on_blur);
  }
  ~PageHost() override {
    emscripten_set_visibilitychange_callback(nullptr, false, nullptr);
    emscripten_set_blur_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, false, nullptr);
  }
  PageHost(const PageHost&) = delete;
  PageHost& operator=(const PageHost&) = delete;

  bool poll(FrameInput& input) override {
    poll_window(input);  // a page is never closed from inside: the tab just goes
    escape_ = escape_pauses_ && input.is_pressed(Key::Escape) && !paused_;
    if (escape_) input.pressed.reset(static_cast<std::size_t>(Key::Escape));
    return true;
  }
  ShellInput shell() override {
    ShellInput shell = WindowHost::shell();
    shell.pause_key = shell.pause_key || escape_;
    shell.focus_lost = shell.focus_lost || std::exchange(looked_away_, false);
    return shell;
  }
  // A recording plays in the game's place: Escape ends it, as on the desktop.
  void give_way_to_recording() { escape_pauses_ = false; }
  // The loop pauses and resumes the sound with the game, so this is where the host learns of it.
  void pause_sound(bool paused) override {
    paused_ = paused;
    WindowHost::pause_sound(paused);
  }
  // The run starts at once, its playlist drawn and silent; the files are fetched meanwhile and
  // join it once they are all in and checked (join_arrived_music).
  bool poll_music(std::unique_ptr<MusicPlayer>& player, Pcg32& rng) override {
    if (!music_switched_on()) return WindowHost::poll_music(player, rng);  // says it is off
    sound().effects();  // the device opens now, not in the middle of the first fight frame
    fetch_music_files();
    player = silent_music_player(playlist_track_seconds(), rng);
    arrival_ = Arrival::Fetching;
    return true;
  }

  // After each frame, with the game's player (none once a recording took the game's place):
  // checks the arrived files a little at a time, then hands them to `live`. Not in a pause, where
  // the track it starts would sound.
  void join_arrived_music(MusicPlayer* live) {
    if (arrival_ != Arrival::Fetching || music_files_pending() > 0) return;
    if (!live) {
      arrival_ = Arrival::None;
      arriving_.reset();
      return;
    }
    if (!arriving_) arriving_.emplace([this] { return sound().music_output(); });
    const bool done = arriving_->poll();
    for (const std::string& line : arriving_->take_messages()) std::fprintf(stderr, "%s\n", line.c_str());
    if (!done || paused_) return;
    Pcg32 unused;  // the set-up draws a playlist of its own; the live one keeps its order
    const std::unique_ptr<MusicPlayer> arrived = arriving_->take_player(unused);
    arriving_.reset();
    arrival_ = arrived && join_music(*live, std::move(*arrived)) ? Arrival::Joined : Arrival::Failed;
    if (arrival_ == Arrival::Failed) {
      std::fputs("music: not every track arrived; the game plays on without it\n", stderr);
    }
  }
  // Where the music stands, for ventora_state: "none" (off, or not asked for yet), "fetching"
  // (the game plays while the tracks arrive and are checked), "joined", or "failed".
  std::string_view music_arrival() const {
    switch (arrival_) {
      case Arrival::None: return "none";
      case Arrival::Fetching: return "fetching";
      case Arrival::Joined: return "joined";
      case Arrival::Failed: return "failed";
    }
    return "none";
  }

 private:
  // What cannot go on ends the game with its line on the page's console; the page shows it too.
  void fail(const Error& error) override {
    std::fprintf(stderr, "%s\n", error.message.c_str());
    emscripten_cancel_main_loop();
  }
  static EM_BOOL on_visibility(int, const EmscriptenVisibilityChangeEvent* event, void* self) {
    if (event->hidden) static_cast<PageHost*>(self)->looked_away_ = true;
    return EM_FALSE;
  }
  static EM_BOOL on_blur(int, const EmscriptenFocusEvent*, void* self) {
    static_cast<PageHost*>(self)->looked_away_ = true;
    return EM_FALSE;
  }

  bool escape_ = false;       // Escape went down in the last poll, as the pause key
  bool paused_ = false;       // the game is paused: Escape quits
  bool escape_pauses_ = true;  // false once a recording plays: Escape quits it
  bool looked_away_ = false;  // hidden or blurred since the last frame's shell input
  enum class Arrival { None, Fetching, Joined, Failed };
  Arrival arrival_ = Arrival::None;
  std::optional<MusicSetUp> arriving_;  // the checking, once every file is in
};

// Everything that lives as long as the page: the browser calls `frame` on it.
struct Session {
  std::unique_ptr<Window> window;
  std::unique_ptr<PageHost> host;
  std::unique_ptr<ReplayRecorder> recorder;
  std::string recording_path;
  std::unique_ptr<FrameLoop> loop;
  std::unique_ptr<replay::ReplayReader> replay_reader;
  std::unique_ptr<ReplayWindow> replay;
  bool stepping = false;  // the browser calls `frame`: the game has not quit
  bool first_frame_marked = false;
  bool run_frame_marked = false;
};

Session* session = nullptr;

// The recording `reader` reads, played in place of the game; silently, as the page has no music
// set up for it.
void play_back(Session& s, std::unique_ptr<replay::ReplayReader> reader) {
  s.host->give_way_to_recording();
  s.replay_reader = std::move(reader);
  s.replay = std::make_unique<ReplayWindow>(*s.host, *s.replay_reader, [&s](Pcg32& rng) {
    return silent_music(s.replay_reader->header(), rng);
  });
}

// The first frame shown (the window is up; the music and the drawing still get ready), and the
// first one of the run itself.
void mark_start_up(Session& s, bool was_running) {
  if (!s.first_frame_marked) {
    mark_timeline("ventora:first-frame");
    s.first_frame_marked = true;
  }
  if (was_running && !s.run_frame_marked) {
    mark_timeline("ventora:first-run-frame");
    s.run_frame_marked = true;
  }
}

void frame(void* data) {
  Session& s = *static_cast<Session*>(data);
  const bool was_running = s.loop && s.loop->loop_state() == LoopState::Running;
  const StepResult result = s.replay ? s.replay->step() : s.loop->step();
  s.host->join_arrived_music(s.loop ? s.loop->music() : nullptr);
  if (result.next == StepResult::Next::Continue) mark_start_up(s, was_running);
  if (result.next != StepResult::Next::Quit) return;
  if (s.recorder) {
    s.recorder->finish();
    hand_recording_to_page(s.recording_path.c_str());
  }
  s.stepping = false;
  emscripten_cancel_main_loop();
  tell_page_the_game_ended();
}

// 0 frames a second: the browser's own animation frames.
void step_with_the_browser(Session& s) {
  s.stepping = true;
  emscripten_set_main_loop_arg(frame, &s, 0, false);
}

}  // namespace
}  // namespace ventora

// Called by the page with a recording it was given while the game runs: the game gives way to it.
extern "C" EMSCRIPTEN_KEEPALIVE void ventora_play_replay(const char* path) {
  using namespace ventora;
  if (session == nullptr) return;
  const std::string_view args[] = {"ventora", "--replay", path};
  ReplayStart start = start_replay_options(parse_command_line(args));
  if (!start.playback) return;
  session->loop.reset();
  session->host->pause_sound(false);  // a pause of the game's ends with it
  play_back(*session, std::move(start.playback));
  if (!session->stepping) step_with_the_browser(*session);  // after the game quit
}

namespace ventora {
namespace {

std::string_view loop_word(LoopState state) {
  switch (state) {
    case LoopState::LoadingMusic: return "loading";
    case LoopState::FirstFrame: return "starting";
    case LoopState::Running: return "running";
    case LoopState::Ended: return "ended";
  }
  return "?";
}

std::string_view screen_word(Screen screen) {
  switch (screen) {
    case Screen::Fight: return "fight";
    case Screen::StageClear: return "stage-clear";
    case Screen::CardChoice: return "card-choice";
    case Screen::Countdown: return "countdown";
    case Screen::Victory: return "victory";
    case Screen::Defeat: return "defeat";
  }
  return "?";
}

// In quotes, or null for none, as JSON has it.
std::string_view pad_word(std::optional<PadLayout> pad) {
  if (!pad) return "null";
  switch (*pad) {
    case PadLayout::Xbox: return "\"xbox\"";
    case PadLayout::PlayStation: return "\"playstation\"";
    case PadLayout::Nintendo: return "\"nintendo\"";
  }
  return "null";
}

}  // namespace
}  // namespace ventora

// What the game in the page is doing, read-only, as one line of JSON: the browser tests
// (web/tests) watch the game through it, and anyone debugging the page can ask from the console,
// Module.ccall('ventora_state', 'string'). For example
//   {"loop":"running","screen":"fight","paused":false,"turn":1.25,"height":0,"pad":null,"music":"joined"}
// "loop" is "none" before main, "replay" while a recording plays; the run's fields come once a run
// has started; "pad" names the controller whose buttons the hints show (null: the keyboard's);
// "music" says whether the tracks are still on their way (see PageHost::music_arrival).
extern "C" EMSCRIPTEN_KEEPALIVE const char* ventora_state() {
  using namespace ventora;
  static std::string json;
  const FrameLoop* loop = session ? session->loop.get() : nullptr;
  if (session && session->replay) {
    json = R"({"loop":"replay"})";
  } else if (!loop) {
    json = R"({"loop":"none"})";
  } else {
    json = R"({"loop":")" + std::string(loop_word(loop->loop_state())) + '"';
    if (const GameState* state = loop->state()) {
      char fields[160];
      std::snprintf(fields, sizeof fields, R"(,"screen":"%s","paused":%s,"turn":%.9g,"height":%.9g)",
                    std::string(screen_word(state->screen)).c_str(), loop->paused() ? "true" : "false",
                    static_cast<double>(state->planet_turn), static_cast<double>(state->player_height));
      json += fields;
    }
    json += R"(,"pad":)" + std::string(pad_word(loop->controls()));
    json += R"(,"music":")" + std::string(session->host->music_arrival()) + "\"}";
  }
  return json.c_str();
}

int main(int argc, char** argv) {
  using namespace ventora;
  // The page starts the game on a click, so sound is allowed: the music is on, as `make run` has it.
  setenv("VENTORA_ENABLE_MUSIC", "1", 0);
  const std::vector<std::string_view> args(argv, argv + argc);
  CommandLine command_line = parse_command_line(args);
  for (const std::string& note : command_line.notes) std::fprintf(stderr, "%s\n", note.c_str());
  ReplayStart replay = start_replay_options(command_line);
  if (replay.exit_code) return *replay.exit_code;

  const OutputMode mode = replay.playback ? replay.playback->header().mode : command_line.mode;
  WindowConfig config = window_config_for(mode);
  config.vsync = true;  // the browser paces its animation frames itself
  Result<std::unique_ptr<Window>> opened = Window::open(config);
  if (!opened) {
    std::fprintf(stderr, "%s\n", opened.error().message.c_str());
    return 1;
  }
  static Session s;
  session = &s;
  s.window = std::move(opened.value());
  s.host = std::make_unique<PageHost>(*s.window, mode);
  if (replay.playback) {
    play_back(s, std::move(replay.playback));
  } else {
    s.recorder = std::move(replay.recorder);
    if (command_line.record_path) s.recording_path = *command_line.record_path;
    s.loop = std::make_unique<FrameLoop>(*s.host, mode, s.recorder.get());
  }
  step_with_the_browser(s);  // main returns and the page goes on
  return 0;
}
