// A replay played with its sound effects: the effects of the recorded game sound (the fights, the
// card, the count-in, the knock-out and the restart's silence), and the replay still matches its
// recording state for state, as it does when checked without sound.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "app/effect_cues.h"
#include "app/replay_check.h"
#include "app/replay_playback.h"
#include "music/effect_player.h"
#include "replay/replay_reader.h"
#include "tests/music/recording_audio.h"
#include "tests/replays/bot_session.h"

namespace ventora {
namespace {

namespace fs = std::filesystem;

TEST(ReplayEffects, APlayedBackRecordingSoundsItsGameAndStillMatchesIt) {
  const fs::path file = fs::temp_directory_path() /
                        ("ventora-replay-effects-" +
                         std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + ".vrep");
  {
    bot::RecordedSession session(file.string(), {});
    bot::RunPlan plan;
    plan.give_up_at_stage = 2;  // one fight won, a card, the count-in, then knocked out
    session.play(plan);
    ASSERT_EQ(session.state().screen, Screen::Defeat);
    session.press(Key::R, "R");
    session.idle(10);
    session.finish();
  }
  replay::OpenResult played = replay::open_replay_file(file.string(), VENTORA_VERSION);
  replay::OpenResult checked = replay::open_replay_file(file.string(), VENTORA_VERSION);
  fs::remove(file);
  ASSERT_TRUE(played.ok()) << played.error().message;
  ASSERT_TRUE(checked.ok()) << checked.error().message;
  replay::ReplayReader& reader = *played.value();

  std::vector<testing::AudioCall> calls;
  testing::RecordingAudio audio(&calls);
  EffectsLoad load = load_effects(audio, embedded_effects_bank());
  ASSERT_NE(load.player, nullptr);
  EffectCues cues(*load.player);
  ReplayPlayback playback(
      reader, [&](Pcg32& rng) { return silent_music(reader.header(), rng); }, &cues);
  DrawList list;
  while (!playback.done()) {
    list.clear();
    playback.step(list);
  }
  EXPECT_FALSE(playback.parting()) << playback.parting()->what;
  ASSERT_EQ(reader.ending(), replay::Ending::EndRecord) << reader.problem();
  EXPECT_EQ(playback.state_hash(), reader.end()->end_hash);

  std::map<SoundEffect, int> heard;
  for (const testing::AudioCall& call : calls) {
    if (call.what == "effect") ++heard[static_cast<SoundEffect>(call.sound - 100)];
  }
  for (const SoundEffect e :
       {SoundEffect::PadWindUp, SoundEffect::StrikeBoss, SoundEffect::BossKnockedOut, SoundEffect::StageClear,
        SoundEffect::CardPick, SoundEffect::CountdownGo, SoundEffect::PlayerHit}) {
    EXPECT_GT(heard[e], 0) << info(e).name;
  }
  EXPECT_EQ(heard[SoundEffect::StageClear], 1);
  EXPECT_EQ(heard[SoundEffect::CountdownTick], 3);

  // Checked, the same replay plays without a sound and says it matches.
  std::FILE* out = std::tmpfile();
  EXPECT_EQ(check_replay(*checked.value(), out), kReplayOk);
  std::fclose(out);
}

}  // namespace
}  // namespace ventora
