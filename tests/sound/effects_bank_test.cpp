// The embedded sound effects: the bank holds one WAV per effect, each keeps the mix's limits
// alone, and the loudest burst over the loudest music, decoded as the game decodes it, does too.
// The check itself catches a clipped burst, clicks and clipping, and lines the worst moment up.
#include "music/effects_bank.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <variant>

#include "music/audio_out.h"
#include "music/embedded_tracks.h"
#include "music/mp3_decode.h"
#include "music/music_player.h"
#include "music/wav.h"
#include "soundtrack/effects/effects_check.h"

namespace ventora {
namespace {

constexpr int kRate = 44100;

std::uint16_t u16_at(std::span<const std::uint8_t> wav, std::size_t at) {
  return static_cast<std::uint16_t>(wav[at] | (wav[at + 1] << 8));
}

std::uint32_t u32_at(std::span<const std::uint8_t> wav, std::size_t at) {
  return u16_at(wav, at) | (static_cast<std::uint32_t>(u16_at(wav, at + 2)) << 16);
}

std::vector<std::int16_t> samples_of(std::span<const std::uint8_t> wav) {
  std::vector<std::int16_t> samples((wav.size() - kWavHeaderBytes) / 2);
  std::memcpy(samples.data(), wav.data() + kWavHeaderBytes, samples.size() * 2);
  return samples;
}

std::vector<effects::EffectSound> embedded_effects() {
  const std::optional<EffectWavs> wavs = split_effects_bank(embedded_effects_bank());
  if (!wavs) return {};
  std::vector<effects::EffectSound> sounds;
  for (std::size_t i = 0; i < kSoundEffectCount; ++i) {
    sounds.push_back({kSoundEffects[i].name, samples_of((*wavs)[i]), kSoundEffects[i].voices});
  }
  return sounds;
}

std::vector<std::uint8_t> decoded(const EmbeddedTrack& track) {
  Result<std::vector<std::uint8_t>> result = decode_mp3(track.mp3_bytes);
  EXPECT_TRUE(result.ok()) << track.label;
  return result.ok()
             ? std::move(result.value())
             : std::vector<std::uint8_t>(kWavHeaderBytes);
}

int peak_of(std::span<const std::int16_t> samples) {
  int peak = 0;
  for (const std::int16_t s : samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
  return peak;
}

TEST(EffectsBank, HoldsEveryEffectAsAShortMonoWavThatKeepsTheLimits) {
  const std::optional<EffectWavs> wavs = split_effects_bank(embedded_effects_bank());
  ASSERT_TRUE(wavs);
  for (std::size_t i = 0; i < kSoundEffectCount; ++i) {
    const std::span<const std::uint8_t> wav = (*wavs)[i];
    SCOPED_TRACE(std::string(kSoundEffects[i].name));
    EXPECT_EQ(u16_at(wav, 22), 1);       // mono
    EXPECT_EQ(u32_at(wav, 24), 44100u);  // the mixer's rate
    EXPECT_GT(wav_seconds(wav), 0.03);
    EXPECT_LE(wav_seconds(wav), effects::kLongestEffectSeconds);
    const effects::EffectSound sound{kSoundEffects[i].name, samples_of(wav), kSoundEffects[i].voices};
    EXPECT_EQ(effects::effect_faults(sound, kRate), std::vector<std::string>{});
  }
}

TEST(EffectsBank, MostEffectsAreOverWithinASecond) {
  const std::vector<effects::EffectSound> sounds = embedded_effects();
  ASSERT_EQ(sounds.size(), kSoundEffectCount);
  for (const effects::EffectSound& sound : sounds) {
    const bool jingle =
        sound.name == info(SoundEffect::StageClear).name || sound.name == info(SoundEffect::Victory).name;
    if (!jingle) {
      EXPECT_LT(static_cast<double>(sound.mono.size()) / kRate, 1.0) << sound.name;
    }
  }
}

TEST(EffectsBank, SplittingRefusesABankThatIsNotOneWholeWavPerEffect) {
  const std::span<const std::uint8_t> bank = embedded_effects_bank();
  std::vector<std::uint8_t> one_more(bank.begin(), bank.end());
  const std::vector<std::uint8_t> extra = build_wav(std::vector<std::int16_t>(10), 1, kRate);
  one_more.insert(one_more.end(), extra.begin(), extra.end());
  std::vector<std::uint8_t> not_riff(bank.begin(), bank.end());
  std::memcpy(not_riff.data() + (split_effects_bank(bank)->at(3).data() - bank.data()), "RIFX", 4);
  const struct {
    const char* what;
    std::span<const std::uint8_t> bytes;
  } cases[] = {
      {"empty", {}},
      {"cut short", bank.first(bank.size() - 1)},
      {"one file too many", one_more},
      {"a file that is not RIFF", not_riff},
      {"only a header", bank.first(kWavHeaderBytes)},
  };
  for (const auto& c : cases) EXPECT_FALSE(split_effects_bank(c.bytes)) << c.what;
}

// Every part in its worst place: the mixed peak is each part's furthest swing to one side, added.
TEST(EffectsCheck, TheWorstMomentLinesEveryPartUpOnTheSideWhereTheyAddUpMost) {
  std::vector<std::int16_t> effect(400, 0);
  effect[50] = 3000;
  effect[300] = -5000;  // its furthest swing is downward
  std::vector<std::int16_t> music(2000 * 2, 0);
  music[2 * 1500] = 9000;       // left channel, upward
  music[2 * 700 + 1] = -12000;  // right channel, downward: the worst side with the effect
  const std::vector<effects::Layer> layers{{effect, 1, 1.0}, {effect, 1, 0.5}, {music, 2, 0.5}};
  const std::vector<std::int16_t> mix = effects::worst_moment(layers, kRate, 0.05);
  EXPECT_EQ(*std::min_element(mix.begin(), mix.end()), -(5000 + 2500 + 6000));
  EXPECT_EQ(*std::max_element(mix.begin(), mix.end()),
            4500);  // the effects' lesser swings don't meet the music's
}

TEST(EffectsCheck, TheLoudestBurstFillsTheChannelsLoudestFirstWithinEachEffectsVoices) {
  const std::vector<effects::EffectSound> effects{
      {"quiet", {0, 100, 0}, 4}, {"loud", {0, 9000, 0}, 1}, {"middle", {0, 3000, 0}, 3}};
  const std::vector<effects::Layer> burst = effects::loudest_burst(effects, 3, 0.5);
  ASSERT_EQ(burst.size(), 3u);
  EXPECT_EQ(peak_of(burst[0].samples), 9000);
  EXPECT_EQ(peak_of(burst[1].samples), 3000);
  EXPECT_EQ(peak_of(burst[2].samples), 3000);
  for (const effects::Layer& layer : burst) EXPECT_EQ(layer.volume, 0.5);
}

TEST(EffectsCheck, CatchesAnEffectThatClicksClipsOrRunsLong) {
  std::vector<std::int16_t> clean(4410);
  for (std::size_t i = 1; i + 1 < clean.size(); ++i)
    clean[i] = static_cast<std::int16_t>(i % 64 < 32 ? 2000 : -2000);
  std::vector<std::int16_t> starts_loud = clean;
  starts_loud.front() = 2000;
  std::vector<std::int16_t> ends_loud = clean;
  ends_loud.back() = -2000;
  std::vector<std::int16_t> clipped = clean;
  clipped[100] = 32767;
  std::vector<std::int16_t> long_one(static_cast<std::size_t>(2.5 * kRate));
  const struct {
    std::vector<std::int16_t> samples;
    std::string fault;
  } cases[] = {
      {starts_loud, "x: starts on sample 2000, a click"},
      {ends_loud, "x: ends on sample -2000, a click"},
      {clipped, "x: 1 clipped samples"},
      {long_one, "x: 2.50 s long, above 2.0 s"},
  };
  EXPECT_EQ(effects::effect_faults({"x", clean, 1}, kRate), std::vector<std::string>{});
  for (const auto& c : cases) {
    const std::vector<std::string> faults = effects::effect_faults({"x", c.samples, 1}, kRate);
    EXPECT_NE(std::find(faults.begin(), faults.end(), c.fault), faults.end()) << c.fault;
  }
}

// The game's loudest burst over its loudest music keeps the limits; the same burst made louder
// than the headroom allows does not.
TEST(EffectsCheck, TheLoudestBurstOverTheLoudestMusicKeepsTheLimitsAndALouderOneClips) {
  const std::vector<effects::EffectSound> sounds = embedded_effects();
  ASSERT_EQ(sounds.size(), kSoundEffectCount);
  std::vector<std::uint8_t> loudest_track;
  int loudest_peak = -1;
  for (const EmbeddedTrack& track : music_tracks()) {
    std::vector<std::uint8_t> wav = decoded(track);
    const int peak = peak_of(samples_of(wav));
    if (peak > loudest_peak) {
      loudest_peak = peak;
      loudest_track = std::move(wav);
    }
  }
  const std::vector<std::int16_t> track = samples_of(loudest_track);
  const std::vector<std::int16_t> cue = samples_of(decoded(defeat_cue_track()));
  const auto worst = [&](double effect_volume) {
    std::vector<effects::Layer> layers = effects::loudest_burst(sounds, kEffectChannels, effect_volume);
    layers.push_back({track, 2, kTrackVolume});
    layers.push_back({cue, 2, kDefeatCueVolume});
    return effects::check_worst_moment(layers, kRate);
  };

  const effects::WorstMoment as_played = worst(1.0);
  EXPECT_EQ(as_played.faults, std::vector<std::string>{}) << soundtrack::describe(as_played.figures);
  EXPECT_EQ(as_played.figures.clipped, 0u);

  const effects::WorstMoment too_loud = worst(4.0);
  EXPECT_GT(too_loud.figures.clipped, 0u);
  ASSERT_FALSE(too_loud.faults.empty());
  EXPECT_NE(too_loud.faults.front().find("clipped samples"), std::string::npos) << too_loud.faults.front();
}

}  // namespace
}  // namespace ventora
