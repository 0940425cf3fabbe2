// A fake sound output that records every call, for the playlist, loading and effects tests.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "music/audio_out.h"

namespace ventora::testing {

struct AudioCall {
  std::string what;  // "play", "stop", "effect", "master", "pause" or "resume"
  SoundId sound = -1;
  float volume = 0.0f;
  bool operator==(const AudioCall&) const = default;
};

class RecordingAudio final : public AudioOut {
 public:
  std::vector<AudioCall>* calls;
  std::vector<std::size_t>* loaded_sizes = nullptr;
  std::set<int> refuse;  // the n-th load (from 0) fails
  int loads = 0;

  explicit RecordingAudio(std::vector<AudioCall>* log) : calls(log) {}

  Result<SoundId> load_wav(std::vector<std::uint8_t> wav) override {
    const int n = loads++;
    if (loaded_sizes != nullptr) loaded_sizes->push_back(wav.size());
    if (refuse.count(n) != 0) return Error{"unsupported sound format"};
    return 100 + n;
  }
  void play(SoundId sound, float volume) override { calls->push_back({"play", sound, volume}); }
  void stop(SoundId sound) override { calls->push_back({"stop", sound, 0.0f}); }
  void play_effect(SoundId sound, float volume) override { calls->push_back({"effect", sound, volume}); }
  void set_master_volume(float volume) override { calls->push_back({"master", -1, volume}); }
  void set_paused(bool paused) override { calls->push_back({paused ? "pause" : "resume", -1, 0.0f}); }
};

}  // namespace ventora::testing
