#include "music/arriving_music.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

#include "music/music_loading.h"
#include "random/rng.h"
#include "recording_audio.h"

namespace ventora {
namespace {

using testing::AudioCall;
using testing::RecordingAudio;

const std::vector<float> kSeconds = {10, 20, 30, 40};

// The tracks as they arrive later, through an output that records what it is asked: sounds 100 +
// index, the cue 200.
std::unique_ptr<MusicPlayer> arrived(std::vector<AudioCall>& calls, std::vector<float> seconds = kSeconds) {
  LoadedMusic music;
  for (std::size_t i = 0; i < seconds.size(); ++i) music.tracks.push_back(100 + static_cast<int>(i));
  music.track_seconds = std::move(seconds);
  music.defeat_cue = 200;
  Pcg32 unused;
  return make_music_player(std::make_unique<RecordingAudio>(&calls), std::move(music), unused);
}

// The silent playlist draws exactly what the playlist of the loaded tracks draws, and joining moves
// nothing of it: the order, the time to the next track and the generator stay.
TEST(ArrivingMusic, TheSilentPlaylistDrawsAsTheLoadedOneAndJoiningKeepsItsPlace) {
  Pcg32 silent_rng, loaded_rng;
  std::unique_ptr<MusicPlayer> live = silent_music_player(kSeconds, silent_rng);
  std::vector<AudioCall> loaded_calls;
  LoadedMusic music;
  for (std::size_t i = 0; i < kSeconds.size(); ++i) music.tracks.push_back(static_cast<int>(i));
  music.track_seconds = kSeconds;
  const std::unique_ptr<MusicPlayer> loaded =
      make_music_player(std::make_unique<RecordingAudio>(&loaded_calls), std::move(music), loaded_rng);
  EXPECT_EQ(live->order, loaded->order);
  EXPECT_EQ(silent_rng.state, loaded_rng.state);

  for (int i = 0; i < 100; ++i) music_tick(live.get(), silent_rng, 0.05f);  // 5 s into the first track
  const std::vector<std::size_t> order = live->order;
  const float next_start_in = live->next_start_in;
  const std::uint64_t drawn = silent_rng.state;
  std::vector<AudioCall> calls;
  ASSERT_TRUE(join_music(*live, std::move(*arrived(calls))));
  EXPECT_EQ(live->order, order);
  EXPECT_EQ(live->next_start_in, next_start_in);
  EXPECT_EQ(silent_rng.state, drawn);
  EXPECT_EQ(live->defeat_cue, std::optional<SoundId>(200));
}

// The track that is due when the music joins starts at once, and stops when the next one starts
// (it started late, so it would still be sounding); after that the playlist plays as ever.
TEST(ArrivingMusic, TheDueTrackStartsAtOnceAndGivesWayToTheNext) {
  Pcg32 rng;
  std::unique_ptr<MusicPlayer> live = silent_music_player(kSeconds, rng);
  music_tick(live.get(), rng, 0.05f);
  const std::size_t due = *live->current;
  const std::size_t next = live->order[1];
  std::vector<AudioCall> calls;
  ASSERT_TRUE(join_music(*live, std::move(*arrived(calls))));
  const auto sound = [](std::size_t track) { return 100 + static_cast<int>(track); };
  EXPECT_EQ(calls, (std::vector<AudioCall>{{"play", sound(due), kTrackVolume}}));

  while (live->current == due) music_tick(live.get(), rng, 0.05f);
  EXPECT_EQ(calls, (std::vector<AudioCall>{{"play", sound(due), kTrackVolume},
                                           {"stop", sound(due), 0.0f},
                                           {"play", sound(next), kTrackVolume}}));
  calls.clear();
  const std::size_t after = live->order[2];
  while (live->current == next) music_tick(live.get(), rng, 0.05f);
  EXPECT_EQ(calls, (std::vector<AudioCall>{{"play", sound(after), kTrackVolume}}));
}

// Nothing starts at the join while the playlist is held for the defeat cue, and the cue, silent
// until then, now plays.
TEST(ArrivingMusic, HeldForTheDefeatCueNothingStartsAndTheCueIsThere) {
  Pcg32 rng;
  std::unique_ptr<MusicPlayer> live = silent_music_player(kSeconds, rng);
  music_tick(live.get(), rng, 0.05f);
  start_defeat_cue(live.get());
  std::vector<AudioCall> calls;
  ASSERT_TRUE(join_music(*live, std::move(*arrived(calls))));
  EXPECT_TRUE(calls.empty());
  start_defeat_cue(live.get());
  EXPECT_EQ(calls, (std::vector<AudioCall>{{"play", 200, kDefeatCueVolume}}));
}

// Music that is not the playlist's (a track left out, a length that differs) does not join: the
// playlist plays on in silence.
TEST(ArrivingMusic, MusicThatIsNotThePlaylistsDoesNotJoin) {
  const std::vector<std::vector<float>> others = {{10, 20, 30}, {10, 20, 30, 41}, {}};
  for (const std::vector<float>& seconds : others) {
    Pcg32 rng;
    std::unique_ptr<MusicPlayer> live = silent_music_player(kSeconds, rng);
    music_tick(live.get(), rng, 0.05f);
    AudioOut* silent = live->audio.get();
    std::vector<AudioCall> calls;
    EXPECT_FALSE(join_music(*live, std::move(*arrived(calls, seconds)))) << seconds.size() << " tracks";
    EXPECT_EQ(live->audio.get(), silent);
    EXPECT_FALSE(live->defeat_cue.has_value());
    EXPECT_TRUE(calls.empty());
  }
}

}  // namespace
}  // namespace ventora
