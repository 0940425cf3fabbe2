#include "music/arriving_music.h"

#include <optional>
#include <utility>
#include <vector>

#include "music/music_loading.h"

namespace ventora {

namespace {

class SilentAudio final : public AudioOut {
 public:
  Result<SoundId> load_wav(std::vector<std::uint8_t>) override { return next_++; }
  void play(SoundId, float) override {}
  void stop(SoundId) override {}
  void play_effect(SoundId, float) override {}
  void set_master_volume(float) override {}
  void set_paused(bool) override {}

 private:
  SoundId next_ = 0;
};

// The output of music that joined while a track was due: that track started late, so it would
// still sound when the next one starts; it stops then.
class LateJoinedAudio final : public AudioOut {
 public:
  LateJoinedAudio(std::unique_ptr<AudioOut> out, std::optional<SoundId> late)
      : out_(std::move(out)), late_(late) {}
  Result<SoundId> load_wav(std::vector<std::uint8_t> wav) override { return out_->load_wav(std::move(wav)); }
  Result<SoundId> load_stream(std::shared_ptr<SoundStream> stream) override {
    return out_->load_stream(std::move(stream));
  }
  void play(SoundId sound, float volume) override {
    if (late_ && *late_ != sound) out_->stop(*late_);
    late_.reset();
    out_->play(sound, volume);
  }
  void stop(SoundId sound) override {
    if (late_ == sound) late_.reset();
    out_->stop(sound);
  }
  void play_effect(SoundId sound, float volume) override { out_->play_effect(sound, volume); }
  void set_master_volume(float volume) override { out_->set_master_volume(volume); }
  void set_paused(bool paused) override { out_->set_paused(paused); }

 private:
  std::unique_ptr<AudioOut> out_;
  std::optional<SoundId> late_;  // the track that started when the music joined, until it stops
};

}  // namespace

std::unique_ptr<AudioOut> silent_audio_out() { return std::make_unique<SilentAudio>(); }

std::unique_ptr<MusicPlayer> silent_music_player(std::span<const float> track_seconds, Pcg32& rng) {
  std::unique_ptr<AudioOut> audio = silent_audio_out();
  LoadedMusic music;
  for (float seconds : track_seconds) {
    music.tracks.push_back(audio->load_wav({}).value());
    music.track_seconds.push_back(seconds);
  }
  return make_music_player(std::move(audio), std::move(music), rng);
}

bool join_music(MusicPlayer& live, MusicPlayer&& arrived) {
  if (!arrived.audio || arrived.track_seconds != live.track_seconds) return false;
  std::optional<SoundId> late;
  if (live.current && !live.held) {
    late = arrived.tracks[*live.current];
    arrived.audio->play(*late, kTrackVolume);
  }
  live.audio = std::make_unique<LateJoinedAudio>(std::move(arrived.audio), late);
  live.tracks = std::move(arrived.tracks);
  live.defeat_cue = arrived.defeat_cue;
  live.streamer = std::move(arrived.streamer);
  return true;
}

}  // namespace ventora
