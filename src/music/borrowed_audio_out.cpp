#include "music/borrowed_audio_out.h"

#include <utility>

namespace ventora {

namespace {

class BorrowedAudioOut final : public AudioOut {
 public:
  explicit BorrowedAudioOut(AudioOut& device) : device_(device) {}
  Result<SoundId> load_wav(std::vector<std::uint8_t> wav) override {
    return device_.load_wav(std::move(wav));
  }
  Result<SoundId> load_stream(std::shared_ptr<SoundStream> stream) override {
    return device_.load_stream(std::move(stream));
  }
  void play(SoundId sound, float volume) override { device_.play(sound, volume); }
  void stop(SoundId sound) override { device_.stop(sound); }
  void play_effect(SoundId sound, float volume) override { device_.play_effect(sound, volume); }
  void set_master_volume(float volume) override { device_.set_master_volume(volume); }
  void set_paused(bool paused) override { device_.set_paused(paused); }

 private:
  AudioOut& device_;
};

}  // namespace

std::unique_ptr<AudioOut> borrow_audio_out(AudioOut& device) {
  return std::make_unique<BorrowedAudioOut>(device);
}

}  // namespace ventora
