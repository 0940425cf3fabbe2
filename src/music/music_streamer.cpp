#include "music/music_streamer.h"

#include <algorithm>
#include <cstring>

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
  std::vector<std::uint8_t> whole_wav() const override {
    DecodeResult decoded = decode_mp3(mp3_);
    auto* wav = std::get_if<std::vector<std::uint8_t>>(&decoded);
    return wav ? std::move(*wav) : std::vector<std::uint8_t>{};
  }

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

void Mp3Voice::top_up() {
  while (!ended_ && ahead_.room() >= Mp3FrameDecoder::kMostFrameSamples) {
    std::span<const std::int16_t> samples;
    if (frames_.next(samples) == Mp3FrameDecoder::Status::Samples) {
      ahead_.write(samples);
    } else {
      ended_ = true;
    }
  }
}

MusicStreamer::MusicStreamer() : worker_([this](std::stop_token stop) { run(stop); }) {}

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
    // Started again before the worker had the next play ready: its start is decoded here.
    voice = std::make_shared<Mp3Voice>(mp3);
    voice->top_up();
  }
  {
    const std::lock_guard lock(mutex_);
    playing_.push_back(voice);
  }
  wake_.notify_one();
  return voice;
}

void MusicStreamer::run(std::stop_token stop) {
  std::unique_lock lock(mutex_);
  const auto needs_waiting = [this] {
    return std::ranges::any_of(tracks_, [](const Track& t) { return t.waiting == nullptr; });
  };
  while (!stop.stop_requested()) {
    std::vector<std::shared_ptr<Mp3Voice>> done;
    const auto finished = std::ranges::partition(playing_, [](const auto& v) { return !v->finished(); });
    done.assign(std::make_move_iterator(finished.begin()), std::make_move_iterator(finished.end()));
    playing_.erase(finished.begin(), finished.end());
    std::vector<std::shared_ptr<Mp3Voice>> voices = playing_;
    std::vector<std::size_t> missing;
    for (std::size_t i = 0; i < tracks_.size(); ++i) {
      if (tracks_[i].waiting) {
        voices.push_back(tracks_[i].waiting);
      } else {
        missing.push_back(i);
      }
    }
    lock.unlock();

    // A finished play's bytes are read again only from the start, for the next one.
    for (const auto& voice : done) release_embedded_pages(voice->mp3());
    done.clear();
    for (const auto& voice : voices) voice->top_up();
    std::vector<std::shared_ptr<Mp3Voice>> made;
    for (const std::size_t i : missing) {
      lock.lock();
      const std::span<const std::uint8_t> mp3 = tracks_[i].mp3;
      lock.unlock();
      made.push_back(std::make_shared<Mp3Voice>(mp3));
      made.back()->top_up();
    }
    voices.clear();

    lock.lock();
    for (std::size_t k = 0; k < missing.size(); ++k) {
      if (!tracks_[missing[k]].waiting) tracks_[missing[k]].waiting = std::move(made[k]);
    }
    if (playing_.empty()) {
      wake_.wait(lock, stop, [&] { return !playing_.empty() || needs_waiting(); });
    } else {
      wake_.wait_for(lock, stop, kTopUpInterval, [] { return false; });
    }
  }
}

}  // namespace ventora
