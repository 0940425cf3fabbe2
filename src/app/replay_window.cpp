#include "app/replay_window.h"

#include <algorithm>
#include <cstdio>

#include "app/frame_timing.h"
#include "app/replay_check.h"

namespace ventora {

namespace {

// How long a paused or finished replay, or one between two frames, may rest before its next look
// at the keys and the sound's level note.
constexpr double kRestSeconds = 0.01;

}  // namespace

double ReplayPace::due(double recorded_time) const {
  if (!last_recorded_) return due_;
  const double gap = recorded_time - *last_recorded_;
  // `gap > 0` is false for a clock that stood still and for one that is not a number.
  return due_ + (gap > 0 ? std::min(gap, static_cast<double>(kMaxFrameSeconds)) : 0.0);
}

void ReplayPace::played(double recorded_time) {
  due_ = due(recorded_time);
  last_recorded_ = recorded_time;
}

ReplayWindow::ReplayWindow(FrameHost& host, replay::ReplayReader& reader,
                           const ReplayPlayback::MusicMaker& make_music)
    : host_(host), reader_(reader), playback_(reader, make_music, host.effects()) {}

StepResult ReplayWindow::step() {
  FrameInput keys;
  if (!host_.poll(keys) || keys.is_pressed(Key::Escape)) return StepResult::quit(exit_status());
  const double now = keys.time;
  if (!pace_) pace_.emplace(now);
  if (keys.is_pressed(Key::Space)) {
    paused_ = !paused_;
    paused_ ? pace_->pause(now) : pace_->resume(now);
  }
  StepResult result = StepResult::idle(kRestSeconds);
  if (!paused_ && !playback_.done()) {
    const double recorded_time = playback_.next_frame().input.time;
    const double left = pace_->due(recorded_time) - now;
    if (left <= 0) {
      picture_.clear();
      const FrameOutcome outcome = playback_.step(picture_);
      pace_->played(recorded_time);
      if (outcome.window_size) host_.request_size(*outcome.window_size);
      result = StepResult::shown();
    } else {
      result = StepResult::idle(std::min(left, kRestSeconds));
    }
  }
  tell_news();
  host_.show(picture_);
  return result;
}

int ReplayWindow::exit_status() const {
  if (playback_.done()) return replay_verdict(playback_, reader_).exit_code;
  // Quit before the end: what is known so far.
  return playback_.parting() ? kReplayFailed : kReplayOk;
}

void ReplayWindow::tell_news() {
  if (playback_.parting() && !parting_told_) {
    std::fprintf(stderr, "%s\n", parting_line(*playback_.parting()).c_str());
    parting_told_ = true;
  }
  if (playback_.done() && !end_told_) {
    std::fprintf(stderr, "%s; Escape quits\n", replay_verdict(playback_, reader_).line.c_str());
    end_told_ = true;
  }
}

}  // namespace ventora
