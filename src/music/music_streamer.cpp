#include "music/music_streamer.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "music/embedded_tracks.h"

namespace ventora {

namespace {

class Mp3Stream final : public SoundStream {
 public:
  Mp3Stream(std::shared_ptr<MusicStreamer> streamer, std::size_t track, std::span<const std::uint8_t> mp3,
            const Mp3Length& length)
      : streamer_(std::move(streamer)), track_(track), mp3_(mp3), length_(length) {}
  int channels() const override { return length_.channels; }
  long rate() const override { return length_.rate; }
  std::uint64_t samples() const override { return length_.samples; }
  std::shared_ptr<StreamVoice> start() override { return streamer_->start(track_); }
  Result<std::vector<std::uint8_t>> whole_wav() const override { return decode_mp3(mp3_); }

 private:
  std::shared_ptr<MusicStreamer> streamer_;
  std::size_t track_;
  std::span<const std::uint8_t> mp3_;
  Mp3Length length_;
};

}  // namespace

void PcmRing::write(std::span<const std::int16_t> in) {
  in = in.first(std::min(in.size(), room()));
  const std::uint64_t written = written_.load(std::memory_order_relaxed);
  const std::size_t at = written % samples_.size();
  const std::size_t first = std::min(in.size(), samples_.size() - at);
  std::copy_n(in.begin(), first, samples_.begin() + static_cast<std::ptrdiff_t>(at));
  std::copy(in.begin() + static_cast<std::ptrdiff_t>(first), in.end(), samples_.begin());
  written_.store(written + in.size(), std::memory_order_release);
}

std::size_t PcmRing::read(std::span<std::int16_t> out) {
  const std::uint64_t read = read_.load(std::memory_order_relaxed);
  const auto ready = static_cast<std::size_t>(written_.load(std::memory_order_acquire) - read);
  const std::size_t n = std::min(out.size(), ready);
  const std::size_t at = read % samples_.size();
  const std::size_t first = std::min(n, samples_.size() - at);
  std::copy_n(samples_.begin() + static_cast<std::ptrdiff_t>(at), first, out.begin());
  std::copy_n(samples_.begin(), n - first, out.begin() + static_cast<std::ptrdiff_t>(first));
  read_.store(read + n, std::memory_order_release);
  return n;
}

std::size_t Mp3Voice::top_up(std::size_t most_frames) {
  std::size_t decoded = 0;
  while (!ended_ && decoded < most_frames && ahead_.room() >= Mp3FrameDecoder::kMostFrameSamples) {
    const Result<std::span<const std::int16_t>> next = frames_.next();
    if (next && !next.value().empty()) {
      ahead_.write(next.value());
      ++decoded;
    } else {
      ended_ = true;
    }
  }
  return decoded;
}

MusicStreamer::MusicStreamer(DecodeOn decode_on) {
  if (decode_on == DecodeOn::Frames) return;
  // Without a thread the plays are pumped, as with DecodeOn::Frames: the music still plays.
  if (Result<WorkerThread> started = WorkerThread::start([this] { run(); })) {
    worker_.emplace(std::move(started.value()));
  }
}

MusicStreamer::~MusicStreamer() {
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_one();
  worker_.reset();
}

std::shared_ptr<SoundStream> MusicStreamer::add(std::span<const std::uint8_t> mp3, const Mp3Length& length) {
  std::size_t track = 0;
  {
    const std::lock_guard lock(mutex_);
    track = tracks_.size();
    tracks_.push_back({mp3, nullptr});
  }
  wake_.notify_one();
  return std::make_shared<Mp3Stream>(shared_from_this(), track, mp3, length);
}

std::shared_ptr<Mp3Voice> MusicStreamer::start(std::size_t track) {
  std::shared_ptr<Mp3Voice> voice;
  std::span<const std::uint8_t> mp3;
  {
    const std::lock_guard lock(mutex_);
    voice = std::move(tracks_.at(track).waiting);
    mp3 = tracks_[track].mp3;
  }
  if (!voice) {
    // Started again before its next play was ready: its start is decoded here.
    voice = std::make_shared<Mp3Voice>(mp3);
    voice->top_up(worker_ ? kAllFrames : kPumpFrames);
  }
  {
    const std::lock_guard lock(mutex_);
    playing_.push_back(voice);
  }
  wake_.notify_one();
  return voice;
}

void MusicStreamer::pump() {
  if (!worker_) decode_ahead({kPumpFrames, kPumpFrames});
}

bool MusicStreamer::needs_waiting() const {
  return std::any_of(tracks_.begin(), tracks_.end(), [](const Track& t) { return t.waiting == nullptr; });
}

void MusicStreamer::decode_ahead(Budget budget) {
  std::vector<std::shared_ptr<Mp3Voice>> done;
  std::vector<std::shared_ptr<Mp3Voice>> playing;
  std::vector<std::shared_ptr<Mp3Voice>> waiting;
  std::vector<std::pair<std::size_t, std::span<const std::uint8_t>>> missing;
  {
    const std::lock_guard lock(mutex_);
    const auto finished =
        std::partition(playing_.begin(), playing_.end(), [](const auto& v) { return !v->finished(); });
    done.assign(std::make_move_iterator(finished), std::make_move_iterator(playing_.end()));
    playing_.erase(finished, playing_.end());
    playing = playing_;
    for (std::size_t i = 0; i < tracks_.size(); ++i) {
      if (tracks_[i].waiting) {
        waiting.push_back(tracks_[i].waiting);
      } else {
        missing.emplace_back(i, tracks_[i].mp3);
      }
    }
  }

  // A finished play's bytes are read again only from the start, for the next one.
  for (const auto& voice : done) release_embedded_pages(voice->mp3());
  for (const auto& voice : playing) voice->top_up(budget.per_play);
  std::size_t left = budget.next_plays;
  for (const auto& voice : waiting) left -= voice->top_up(left);
  std::vector<std::pair<std::size_t, std::shared_ptr<Mp3Voice>>> made;
  for (const auto& [track, mp3] : missing) {
    if (left == 0) break;
    made.emplace_back(track, std::make_shared<Mp3Voice>(mp3));
    left -= made.back().second->top_up(left);
  }

  const std::lock_guard lock(mutex_);
  for (auto& [track, voice] : made) {
    if (!tracks_[track].waiting) tracks_[track].waiting = std::move(voice);
  }
}

void MusicStreamer::run() {
  std::unique_lock lock(mutex_);
  while (!stopping_) {
    lock.unlock();
    decode_ahead({kAllFrames, kAllFrames});
    lock.lock();
    if (playing_.empty()) {
      wake_.wait(lock, [&] { return stopping_ || !playing_.empty() || needs_waiting(); });
    } else {
      wake_.wait_for(lock, kTopUpInterval, [&] { return stopping_; });
    }
  }
}

}  // namespace ventora
