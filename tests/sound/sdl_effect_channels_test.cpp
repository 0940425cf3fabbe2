// The effects' own channels in the real mixer (SDL's dummy device): a burst of effects takes no
// more than its channels and never the music's, and the master volume reaches the mixer.
#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "music/effects_bank.h"
#include "music/wav.h"
#include "platform/sdl_audio_out.h"

namespace ventora {
namespace {

// The channels from `from` up to (not including) `to` that play something.
int playing(int from, int to) {
  int n = 0;
  for (int channel = from; channel < to; ++channel) n += Mix_Playing(channel) ? 1 : 0;
  return n;
}

TEST(SdlEffectChannels, ABurstStaysOnTheEffectChannelsAndLeavesTheMusicPlaying) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  {
    Result<std::unique_ptr<DeviceAudioOut>> opened = open_sdl_audio_out();
    ASSERT_TRUE(opened.ok()) << opened.error().message;
    std::unique_ptr<AudioOut> audio = std::move(opened.value());
    const int channels = Mix_AllocateChannels(-1);
    ASSERT_GT(channels, kEffectChannels);
    const Result<SoundId> track =
        audio->load_wav(build_wav(std::vector<std::int16_t>(10 * 44100 * 2, 1000), 2, 44100));
    ASSERT_TRUE(track.ok()) << track.error().message;
    const EffectWavs wavs = *split_effects_bank(embedded_effects_bank());
    const std::span<const std::uint8_t> victory = wavs[index_of(SoundEffect::Victory)];
    const Result<SoundId> effect = audio->load_wav({victory.begin(), victory.end()});
    ASSERT_TRUE(effect.ok()) << effect.error().message;

    audio->play(track.value(), 0.32f);
    EXPECT_EQ(playing(0, kEffectChannels), 0) << "the music took an effect channel";
    for (int i = 0; i < kEffectChannels + 3; ++i) audio->play_effect(effect.value(), 1.0f);
    EXPECT_EQ(playing(0, kEffectChannels), kEffectChannels);
    EXPECT_EQ(playing(kEffectChannels, channels), 1) << "the burst took the music's channel or stopped it";

    audio->set_master_volume(0.5f);
    EXPECT_EQ(Mix_MasterVolume(-1), MIX_MAX_VOLUME / 2);
    audio->set_master_volume(0.0f);
    EXPECT_EQ(Mix_MasterVolume(-1), 0);
  }
  // A new device starts at full volume whatever the last one was left at.
  {
    Result<std::unique_ptr<DeviceAudioOut>> opened = open_sdl_audio_out();
    ASSERT_TRUE(opened.ok()) << opened.error().message;
    std::unique_ptr<AudioOut> audio = std::move(opened.value());
    EXPECT_EQ(Mix_MasterVolume(-1), MIX_MAX_VOLUME);
  }
  unsetenv("SDL_AUDIODRIVER");
}

}  // namespace
}  // namespace ventora
