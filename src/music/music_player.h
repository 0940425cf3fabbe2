// Background music: the environment switch, the shuffled playlist and the defeat cue.
// Every call accepts a null player, which is how "music off" runs.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "music/audio_out.h"
#include "music/decode_on.h"
#include "random/rng.h"

namespace ventora {

struct LoadedMusic;
class MusicLoading;
class MusicStreamer;

struct MusicPlayer {
  std::unique_ptr<AudioOut> audio;
  std::optional<std::size_t> current;  // the track last started, until it is stopped
  std::vector<SoundId> tracks;         // loaded background tracks
  std::vector<float> track_seconds;    // their stored lengths, parallel to `tracks`
  std::vector<std::size_t> order;      // play order
  std::size_t position = 0;            // next entry of `order` to play
  std::optional<SoundId> defeat_cue;
  float next_start_in = 0.0f;  // seconds until the next track starts
  bool held = false;           // paused for the defeat cue
  // Decodes the tracks as they play; music_tick pumps it, for where it has no worker.
  std::shared_ptr<MusicStreamer> streamer;
};

inline constexpr float kTrackVolume = 0.32f;
inline constexpr float kDefeatCueVolume = 0.44f;
// Silence between the stored end of one track and the start of the next.
inline constexpr float kTrackGapSeconds = 0.35f;

// Reads VENTORA_DISABLE_MUSIC (wins) and VENTORA_ENABLE_MUSIC (present, even empty: on).
bool music_switched_on();

// The music's start-up, spread over as many frames as decoding takes so that none of them waits.
// It prints nothing: the lines to report are handed to the caller. It cannot fail as a whole:
// with the music off, without a device or with a track left out the game goes on, so what there
// is to say comes as lines beside the player rather than as a Result.
class MusicSetUp {
 public:
  // Reads VENTORA_DISABLE_MUSIC (wins) and VENTORA_ENABLE_MUSIC (present, even empty: on). Off
  // gives the message "background music disabled on this platform/session" and never calls
  // `open_audio`. On calls `open_audio` (nullptr: no music; the opener has said why) and starts
  // checking every embedded track, on worker threads or (DecodeOn::Frames) in each poll.
  explicit MusicSetUp(const std::function<std::unique_ptr<AudioOut>()>& open_audio,
                      DecodeOn decode_on = kDecodeOn);
  ~MusicSetUp();  // stops decoding that is still going on
  MusicSetUp(const MusicSetUp&) = delete;
  MusicSetUp& operator=(const MusicSetUp&) = delete;

  // Loads the tracks decoded so far, in order, without waiting (waiting for all with `wait`).
  // True once the player is ready: then `take_player` gives it, its playlist shuffled.
  bool poll(bool wait = false);
  // The lines for the error stream that came up since the last call, in order: the music-off line,
  // or one per track that failed to decode or load (see LoadedMusic::failures).
  std::vector<std::string> take_messages();
  // The player (nullptr with music off), its first shuffle drawn from `rng`; call once after poll
  // returned true.
  std::unique_ptr<MusicPlayer> take_player(Pcg32& rng);

 private:
  std::unique_ptr<AudioOut> audio_;
  std::unique_ptr<MusicLoading> loading_;
  std::vector<std::string> messages_;
};

// MusicSetUp, waited out; the player's first shuffle draws from `rng`.
struct MusicStart {
  std::unique_ptr<MusicPlayer> player;  // every track loaded; nullptr with music off
  std::vector<std::string> messages;    // for the error stream
};
MusicStart music_player_from_environment(const std::function<std::unique_ptr<AudioOut>()>& open_audio,
                                         Pcg32& rng, DecodeOn decode_on = kDecodeOn);

// A player over already loaded sounds, with its first shuffle drawn from `rng`.
std::unique_ptr<MusicPlayer> make_music_player(std::unique_ptr<AudioOut> audio, LoadedMusic music,
                                               Pcg32& rng);

// Draws a new play order from `rng` (n draws for n >= 2, none otherwise).
void reshuffle_music(MusicPlayer& player, Pcg32& rng);

// Every frame before the game update: decodes a little of what plays where that has no worker,
// and starts the next track when the last one's time is up, reshuffling from `rng` when the order
// has run out.
void music_tick(MusicPlayer* player, Pcg32& rng, float dt);

// The screen has just become Defeat: stop the track, hold the playlist, play the cue once.
void start_defeat_cue(MusicPlayer* player);

// A restart from Defeat: the next tick starts the next track of the order.
void release_hold(MusicPlayer* player);

// The audio device was opened again after it went away, and nothing plays on it: the next tick
// starts the next track of the order, the interrupted one is not picked up again (a held
// playlist stays held until its restart).
void resume_after_device_loss(MusicPlayer* player);

}  // namespace ventora
