#include "platform/sdl_audio_out.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "mp3_fixtures.h"
#include "music/wav.h"

namespace ventora {
namespace {

// The channel that plays something, or -1.
int playing_channel() {
  for (int channel = 0; channel < Mix_AllocateChannels(-1); ++channel) {
    if (Mix_Playing(channel)) return channel;
  }
  return -1;
}

TEST(SdlAudioOut, LoadsPlaysAtVolumeAndStopsOnTheDummyDevice) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  {
    Result<std::unique_ptr<DeviceAudioOut>> opened = open_sdl_audio_out();
    ASSERT_TRUE(opened.ok()) << opened.error().message;
    std::unique_ptr<AudioOut> audio = std::move(opened.value());
    // The mixer's own format (kept as is) and one it must convert.
    const Result<SoundId> native = audio->load_wav(build_wav(testing::tone(2.0, 44100, 2), 2, 44100));
    const Result<SoundId> converted = audio->load_wav(build_wav(testing::tone(2.0, 22050, 1), 1, 22050));
    ASSERT_TRUE(native.ok()) << native.error().message;
    ASSERT_TRUE(converted.ok()) << converted.error().message;
    const Result<SoundId> broken = audio->load_wav(std::vector<std::uint8_t>(100, 7));
    EXPECT_FALSE(broken.ok());

    for (const SoundId sound : {native.value(), converted.value()}) {
      audio->play(sound, 0.32f);
      const int channel = playing_channel();
      ASSERT_GE(channel, 0);
      EXPECT_EQ(Mix_Volume(channel, -1), 41);  // 0.32 of 128
      audio->stop(sound);
      EXPECT_EQ(playing_channel(), -1);
    }
    // Stopping one sound leaves the other playing (the cue plays on over a restart).
    audio->play(native.value(), 0.32f);
    audio->play(converted.value(), 0.44f);
    audio->stop(native.value());
    const int channel = playing_channel();
    ASSERT_GE(channel, 0);
    EXPECT_EQ(Mix_Volume(channel, -1), 56);
  }
  EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
  unsetenv("SDL_AUDIODRIVER");
}

// A stream of a steady value whose voices count what the mixer read and say when it let them go.
class SteadyStream final : public SoundStream {
 public:
  struct Voice final : StreamVoice {
    std::atomic<std::uint64_t> read_samples{0};
    std::atomic<bool> finished{false};
    std::size_t read(std::span<std::int16_t> out) override {
      std::fill(out.begin(), out.end(), std::int16_t{1000});
      read_samples += out.size();
      return out.size();
    }
    void finish() override { finished = true; }
  };
  SteadyStream(int channels, long rate, std::uint64_t samples)
      : channels_(channels), rate_(rate), samples_(samples) {}
  int channels() const override { return channels_; }
  long rate() const override { return rate_; }
  std::uint64_t samples() const override { return samples_; }
  std::shared_ptr<StreamVoice> start() override {
    voices.push_back(std::make_shared<Voice>());
    return voices.back();
  }
  Result<std::vector<std::uint8_t>> whole_wav() const override {
    ++wholes;
    return build_wav(std::vector<std::int16_t>(samples_, 1000), static_cast<std::uint16_t>(channels_),
                     static_cast<std::uint32_t>(rate_));
  }
  std::vector<std::shared_ptr<Voice>> voices;
  mutable int wholes = 0;

 private:
  int channels_;
  long rate_;
  std::uint64_t samples_;
};

// Waits up to five seconds for `done`.
template <typename Done>
bool within_seconds(Done done) {
  const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (!done()) {
    if (std::chrono::steady_clock::now() > give_up) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

TEST(SdlAudioOut, StreamsPlayFromTheirVoicesAndLetThemGoWhenStoppedOrOver) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  {
    Result<std::unique_ptr<DeviceAudioOut>> opened = open_sdl_audio_out();
    ASSERT_TRUE(opened.ok()) << opened.error().message;
    std::unique_ptr<AudioOut> audio = std::move(opened.value());
    auto long_stream = std::make_shared<SteadyStream>(2, 44100, 44100 * 2 * 60);
    auto short_stream = std::make_shared<SteadyStream>(2, 44100, 3000);
    auto other_format = std::make_shared<SteadyStream>(1, 22050, 22050);
    const Result<SoundId> long_sound = audio->load_stream(long_stream);
    const Result<SoundId> short_sound = audio->load_stream(short_stream);
    const Result<SoundId> converted = audio->load_stream(other_format);
    ASSERT_TRUE(long_sound.ok() && short_sound.ok() && converted.ok());
    EXPECT_EQ(long_stream->wholes + short_stream->wholes, 0);
    EXPECT_EQ(other_format->wholes, 1);  // not the mixer's format: loaded whole, converted

    audio->play(long_sound.value(), 0.32f);
    ASSERT_EQ(long_stream->voices.size(), 1u);
    const auto& voice = *long_stream->voices[0];
    const int channel = playing_channel();
    ASSERT_GE(channel, kEffectChannels);  // never on the effects' channels
    EXPECT_EQ(Mix_Volume(channel, -1), 41);
    EXPECT_TRUE(within_seconds([&] { return voice.read_samples > 0; }));
    audio->stop(long_sound.value());
    EXPECT_TRUE(voice.finished);
    EXPECT_EQ(playing_channel(), -1);

    // A stream shorter than a mixer buffer ends by itself and lets its voice go.
    audio->play(short_sound.value(), 0.32f);
    ASSERT_EQ(short_stream->voices.size(), 1u);
    EXPECT_TRUE(within_seconds([&] { return short_stream->voices[0]->finished.load(); }));
    EXPECT_GE(short_stream->voices[0]->read_samples, 3000u);
  }
  EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
  unsetenv("SDL_AUDIODRIVER");
}

// SDL's disk driver writing to /dev/full fails its first write and reports the device gone, as it
// does for a sound server that stopped. A try to open it again that fails leaves it closed and
// quiet; one that succeeds (onto a real file) plays the sounds loaded before and meanwhile, at the
// volume set before, on the channels set up as at the start.
TEST(SdlAudioOut, ALostDeviceIsNoticedAndOpensAgainWithItsSounds) {
  const std::string raw_path = ::testing::TempDir() + "reopened_device.raw";
  std::remove(raw_path.c_str());
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", "/dev/full", 1);
  {
    Result<std::unique_ptr<DeviceAudioOut>> opened = open_sdl_audio_out();
    ASSERT_TRUE(opened.ok()) << opened.error().message;
    std::unique_ptr<DeviceAudioOut> audio = std::move(opened.value());
    const Result<SoundId> tone = audio->load_wav(build_wav(testing::tone(2.0, 44100, 2), 2, 44100));
    ASSERT_TRUE(tone.ok()) << tone.error().message;
    audio->set_master_volume(0.5f);
    for (int i = 0; i < 500 && !audio->lost(); ++i) SDL_Delay(10);  // 5 s: a bound for a hang
    ASSERT_TRUE(audio->lost());

    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    const Status refused = audio->reopen();
    ASSERT_FALSE(refused.ok());
    EXPECT_FALSE(refused.error().message.empty());
    EXPECT_FALSE(audio->lost());
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
    audio->play(tone.value(), 1.0f);
    audio->play_effect(tone.value(), 1.0f);
    audio->stop(tone.value());
    // A sound in the mixer's format loads meanwhile (the music may still be loading); one that
    // needs converting cannot.
    const Result<SoundId> later = audio->load_wav(build_wav(testing::tone(2.0, 44100, 2), 2, 44100));
    EXPECT_TRUE(later.ok()) << later.error().message;
    EXPECT_FALSE(audio->load_wav(build_wav(testing::tone(0.1, 22050, 1), 1, 22050)).ok());

    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", raw_path.c_str(), 1);
    const Status reopened = audio->reopen();
    ASSERT_TRUE(reopened.ok()) << reopened.error().message;
    EXPECT_EQ(Mix_MasterVolume(-1), 64);
    audio->play(later.value(), 1.0f);
    EXPECT_GE(playing_channel(), kEffectChannels);  // the effects' channels are kept again
    audio->play_effect(tone.value(), 1.0f);
    EXPECT_TRUE(Mix_Playing(0));
    SDL_Delay(300);
    EXPECT_FALSE(audio->lost());
  }
  EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
  unsetenv("SDL_DISKAUDIOFILE");
  unsetenv("SDL_AUDIODRIVER");
  std::ifstream raw(raw_path, std::ios::binary);
  const std::vector<char> bytes{std::istreambuf_iterator<char>(raw), std::istreambuf_iterator<char>()};
  EXPECT_TRUE(std::any_of(bytes.begin(), bytes.end(), [](char b) { return b != 0; }))
      << bytes.size() << " bytes, all silent";
  std::remove(raw_path.c_str());
}

TEST(SdlAudioOut, NoUsableDeviceGivesTheReasonAndNoOutput) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  ::testing::internal::CaptureStderr();
  const Result<std::unique_ptr<DeviceAudioOut>> opened = open_sdl_audio_out();
  const std::string err = ::testing::internal::GetCapturedStderr();
  unsetenv("SDL_AUDIODRIVER");
  ASSERT_FALSE(opened.ok());
  EXPECT_FALSE(opened.error().message.empty());
  EXPECT_EQ(err, "");  // the caller reports it
  EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
}

}  // namespace
}  // namespace ventora
