#include "platform/sdl_audio_out.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

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
    std::unique_ptr<AudioOut> audio = open_sdl_audio_out();
    ASSERT_NE(audio, nullptr);
    // The mixer's own format (kept as is) and one it must convert.
    const SoundLoad native = audio->load_wav(build_wav(testing::tone(2.0, 44100, 2), 2, 44100));
    const SoundLoad converted = audio->load_wav(build_wav(testing::tone(2.0, 22050, 1), 1, 22050));
    ASSERT_TRUE(native.ok()) << native.error;
    ASSERT_TRUE(converted.ok()) << converted.error;
    const SoundLoad broken = audio->load_wav(std::vector<std::uint8_t>(100, 7));
    EXPECT_FALSE(broken.ok());

    for (const SoundId sound : {native.sound, converted.sound}) {
      audio->play(sound, 0.32f);
      const int channel = playing_channel();
      ASSERT_GE(channel, 0);
      EXPECT_EQ(Mix_Volume(channel, -1), 41);  // 0.32 of 128
      audio->stop(sound);
      EXPECT_EQ(playing_channel(), -1);
    }
    // Stopping one sound leaves the other playing (the cue plays on over a restart).
    audio->play(native.sound, 0.32f);
    audio->play(converted.sound, 0.44f);
    audio->stop(native.sound);
    const int channel = playing_channel();
    ASSERT_GE(channel, 0);
    EXPECT_EQ(Mix_Volume(channel, -1), 56);
  }
  EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
  unsetenv("SDL_AUDIODRIVER");
}

TEST(SdlAudioOut, NoUsableDeviceIsOneLineAndNoOutput) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  ::testing::internal::CaptureStderr();
  std::unique_ptr<AudioOut> audio = open_sdl_audio_out();
  const std::string err = ::testing::internal::GetCapturedStderr();
  unsetenv("SDL_AUDIODRIVER");
  EXPECT_EQ(audio, nullptr);
  EXPECT_EQ(err.rfind("ventora: no audio device, playing without sound: ", 0), 0u) << err;
  EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1);
  EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
}

}  // namespace
}  // namespace ventora
