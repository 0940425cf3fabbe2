#include "app/replay_window.h"

#include <algorithm>
#include <cstdio>

#include "app/frame_timing.h"

namespace ventora {

namespace {

// How long a paused or finished replay, or one between two frames, may rest before its next look
// at the keys and the sound's level note.
constexpr double kRestSeconds = 0.01;

// The line that tells how the replay ended.
void tell_end(const replay::ReplayReader& reader, std::uint64_t frames) {
  if (reader.ending() == replay::Ending::Damaged) {
    std::fprintf(stderr, "replay %s; Escape quits\n", reader.problem().c_str());
  } else {
    std::fprintf(stderr, "replay finished: %llu frames%s; Escape quits\n",
                 static_cast<unsigned long long>(frames),
                 reader.ending() == replay::Ending::EndRecord
                     ? ""
                     : " (the recording stopped early: no end record)");
  }
}

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
  // A damaged file plays up to the damage; quitting then exits with status 1.
  const int status = reader_.ending() == replay::Ending::Damaged ? 1 : 0;
  FrameInput keys;
  if (!host_.poll(keys) || keys.is_pressed(Key::Escape)) return StepResult::quit(status);
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

void ReplayWindow::tell_news() {
  if (playback_.parting() && !parting_told_) {
    std::fprintf(stderr, "replay differs from the recording at frame %llu: %s\n",
                 static_cast<unsigned long long>(playback_.parting()->frame),
                 playback_.parting()->what.c_str());
    parting_told_ = true;
  }
  if (playback_.done() && !end_told_) {
    tell_end(reader_, playback_.frames_played());
    end_told_ = true;
  }
}

}  // namespace ventora
