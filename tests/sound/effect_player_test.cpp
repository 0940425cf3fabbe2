// The effects at play time, over a recording output: each loads once from the bank, and a burst
// of one effect never starts more of it than may sound at once; voices come free as they end.
#include "music/effect_player.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/music/recording_audio.h"
#include "tests/support/error_messages.h"

namespace ventora {
namespace {

using testing::AudioCall;
using testing::RecordingAudio;

SoundEffects only(std::initializer_list<SoundEffect> effects) {
  SoundEffects set;
  for (const SoundEffect e : effects) set.set(index_of(e));
  return set;
}

// RecordingAudio hands out sound ids from 100 in load order, which is the bank's order.
SoundId id_of(SoundEffect effect) { return 100 + static_cast<SoundId>(index_of(effect)); }

double seconds_of(SoundEffect effect) {
  return wav_seconds(split_effects_bank(embedded_effects_bank())->at(index_of(effect)));
}

TEST(EffectPlayer, LoadsEveryEffectOnceAndPlaysItOnTheEffectChannelsAtFullVolume) {
  std::vector<AudioCall> calls;
  std::vector<std::size_t> sizes;
  RecordingAudio audio(&calls);
  audio.loaded_sizes = &sizes;
  EffectsLoad load = load_effects(audio, embedded_effects_bank());
  ASSERT_NE(load.player, nullptr);
  EXPECT_EQ(test::messages_of(load.errors), std::vector<std::string>{});
  EXPECT_EQ(sizes.size(), kSoundEffectCount);
  load.player->play(only({SoundEffect::Jump, SoundEffect::Victory}), 0);
  EXPECT_EQ(calls, (std::vector<AudioCall>{{"effect", id_of(SoundEffect::Jump), 1.0f},
                                           {"effect", id_of(SoundEffect::Victory), 1.0f}}));
}

// One effect asked for frame after frame: its voices fill, and each one frees when its sound ends.
TEST(EffectPlayer, ABurstOfOneEffectStartsNoMoreThanItsVoicesAndVoicesFreeAsTheyEnd) {
  std::vector<AudioCall> calls;
  RecordingAudio audio(&calls);
  EffectsLoad load = load_effects(audio, embedded_effects_bank());
  ASSERT_NE(load.player, nullptr);
  const double jump = seconds_of(SoundEffect::Jump);        // 2 voices
  const double blow = seconds_of(SoundEffect::StrikeBoss);  // 1 voice
  ASSERT_EQ(info(SoundEffect::Jump).voices, 2);
  ASSERT_EQ(info(SoundEffect::StrikeBoss).voices, 1);
  const struct {
    double now;
    SoundEffects asked;
    std::vector<SoundId> started;
  } frames[] = {
      {0.000,
       only({SoundEffect::Jump, SoundEffect::StrikeBoss}),
       {id_of(SoundEffect::Jump), id_of(SoundEffect::StrikeBoss)}},
      {0.016, only({SoundEffect::Jump, SoundEffect::StrikeBoss}), {id_of(SoundEffect::Jump)}},
      {0.033, only({SoundEffect::Jump, SoundEffect::StrikeBoss}), {}},
      {0.050, only({SoundEffect::Land}), {id_of(SoundEffect::Land)}},  // another effect has voices of its own
      {jump - 0.001, only({SoundEffect::Jump}), {}},
      {jump, only({SoundEffect::Jump}), {id_of(SoundEffect::Jump)}},  // the first jump has just ended
      {jump + 0.010, only({SoundEffect::Jump}), {}},
      {jump + 0.016, only({SoundEffect::Jump}), {id_of(SoundEffect::Jump)}},
      {blow, only({SoundEffect::StrikeBoss}), {id_of(SoundEffect::StrikeBoss)}},
  };
  for (const auto& frame : frames) {
    calls.clear();
    load.player->play(frame.asked, frame.now);
    std::vector<SoundId> started;
    for (const AudioCall& call : calls) started.push_back(call.sound);
    EXPECT_EQ(started, frame.started) << "at " << frame.now << " s";
  }
}

TEST(EffectPlayer, AnEffectTheOutputRefusesStaysSilentAndTheRestPlay) {
  std::vector<AudioCall> calls;
  RecordingAudio audio(&calls);
  audio.refuse = {static_cast<int>(index_of(SoundEffect::Land))};
  EffectsLoad load = load_effects(audio, embedded_effects_bank());
  ASSERT_NE(load.player, nullptr);
  EXPECT_EQ(test::messages_of(load.errors),
            std::vector<std::string>{"failed to load sound effect 'land': unsupported sound format"});
  load.player->play(only({SoundEffect::Jump, SoundEffect::Land}), 0);
  EXPECT_EQ(calls, (std::vector<AudioCall>{{"effect", id_of(SoundEffect::Jump), 1.0f}}));
}

TEST(EffectPlayer, ADamagedBankLoadsNothingAndSaysSoOnce) {
  std::vector<AudioCall> calls;
  RecordingAudio audio(&calls);
  const std::span<const std::uint8_t> bank = embedded_effects_bank();
  EffectsLoad load = load_effects(audio, bank.first(bank.size() / 2));
  EXPECT_EQ(load.player, nullptr);
  EXPECT_EQ(test::messages_of(load.errors),
            std::vector<std::string>{"the sound effects are damaged: not one WAV file for each"});
  EXPECT_EQ(audio.loads, 0);
}

}  // namespace
}  // namespace ventora
