// The soundtrack kept as the MP3 files it is embedded as, each play decoded a little ahead of the
// audio thread that drains it: on one worker thread, or where there is none, a little at every
// frame. Memory: a ring of decoded samples per play and one waiting at the start of every track,
// instead of every track decoded whole.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <limits>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <vector>

#include "music/audio_out.h"
#include "music/decode_on.h"
#include "music/mp3_decode.h"
#include "music/worker_thread.h"

namespace ventora {

// Samples a play keeps decoded ahead of the audio thread: 1.5 s of 44.1 kHz stereo. The worker
// tops it up every kTopUpInterval, so it would have to be held off for over a second to run dry.
inline constexpr std::size_t kAheadSamples = std::size_t{1} << 17;
inline constexpr auto kTopUpInterval = std::chrono::milliseconds(20);
// Without a worker, the MP3 frames a pump decodes at most for each play, and for the next plays
// together: 16 frames are 0.42 s of sound, so pumping every frame keeps well ahead of the plays
// even at 10 frames a second, and a pump takes a few milliseconds at most.
inline constexpr std::size_t kPumpFrames = 16;
inline constexpr std::size_t kAllFrames = std::numeric_limits<std::size_t>::max();

// Samples passed from one writing thread to one reading thread without a lock.
class PcmRing {
 public:
  explicit PcmRing(std::size_t capacity) : samples_(capacity) {}
  // Writer: room left.
  std::size_t room() const {
    return samples_.size() -
           (written_.load(std::memory_order_relaxed) - read_.load(std::memory_order_acquire));
  }
  // Writer: appends as much of `in` as there is room for.
  void write(std::span<const std::int16_t> in);
  // Reader: takes up to `out.size()` samples; how many.
  std::size_t read(std::span<std::int16_t> out);

 private:
  std::vector<std::int16_t> samples_;
  std::atomic<std::uint64_t> written_{0};  // counts never wrap: 2^64 samples is millions of years
  std::atomic<std::uint64_t> read_{0};
};

// One play of an MP3 file: the worker decodes into its ring, the audio thread reads from it.
class Mp3Voice final : public StreamVoice {
 public:
  explicit Mp3Voice(std::span<const std::uint8_t> mp3) : mp3_(mp3), frames_(mp3), ahead_(kAheadSamples) {}
  std::size_t read(std::span<std::int16_t> out) override { return ahead_.read(out); }
  void finish() override { finished_.store(true, std::memory_order_release); }
  bool finished() const { return finished_.load(std::memory_order_acquire); }
  // On one thread at a time (the one decoding ahead, or the maker before it hands the voice on):
  // decodes up to `most_frames` frames while the ring has room for one; how many it decoded.
  // Decoding that fails ends the play early.
  std::size_t top_up(std::size_t most_frames = kAllFrames);
  std::span<const std::uint8_t> mp3() const { return mp3_; }

 private:
  std::span<const std::uint8_t> mp3_;
  Mp3FrameDecoder frames_;
  PcmRing ahead_;
  bool ended_ = false;
  std::atomic<bool> finished_{false};
};

class MusicStreamer : public std::enable_shared_from_this<MusicStreamer> {
 public:
  // Decodes on a worker of its own, or on the caller's pump() with DecodeOn::Frames or where no
  // worker can be started.
  explicit MusicStreamer(DecodeOn decode_on = kDecodeOn);
  ~MusicStreamer();  // stops the worker
  MusicStreamer(const MusicStreamer&) = delete;
  MusicStreamer& operator=(const MusicStreamer&) = delete;

  // A file decoded through once already (`length`), so decoding it is known to work; it must stay in
  // memory while anything plays it.
  std::shared_ptr<SoundStream> add(std::span<const std::uint8_t> mp3, const Mp3Length& length);

  // A play of track `track` (as `add` numbered them) from its first sample, with its start decoded.
  std::shared_ptr<Mp3Voice> start(std::size_t track);

  // Without a worker: tops up every play by at most kPumpFrames frames and readies the next plays
  // by as many in all; call it once a frame (music_tick does). With a worker: nothing, the worker
  // does it.
  void pump();

 private:
  struct Track {
    std::span<const std::uint8_t> mp3;
    std::shared_ptr<Mp3Voice> waiting;  // the next play, its start decoded
  };
  // The MP3 frames one round of decoding ahead may decode: for each play, and for the next plays.
  struct Budget {
    std::size_t per_play;
    std::size_t next_plays;
  };
  // Lets go of the finished plays, tops up the playing ones and readies the next play of every
  // track, in track order, within `budget`.
  void decode_ahead(Budget budget);
  // The worker: decodes ahead every kTopUpInterval while anything plays, else when woken.
  void run();
  bool needs_waiting() const;  // under the lock: a track without its next play

  std::mutex mutex_;
  std::condition_variable wake_;
  bool stopping_ = false;                           // guarded
  std::vector<Track> tracks_;                       // guarded
  std::vector<std::shared_ptr<Mp3Voice>> playing_;  // guarded: started and not yet finished
  std::optional<WorkerThread> worker_;              // none: pump() decodes
};

}  // namespace ventora
