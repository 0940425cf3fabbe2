// Runs a recorded session again through the game's own frame (play_frame), feeding it the
// recorded frame times, input and clock readings, and compares the state after every frame with
// the hash the recording kept. The window replay and `--check` both play through this.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/running_frame.h"
#include "draw/draw_list.h"
#include "game/game_state.h"
#include "music/music_player.h"
#include "replay/replay_format.h"
#include "replay/replay_reader.h"

namespace ventora {

// The first place where the replay and the recording part.
struct Parting {
  std::uint64_t frame = 0;  // 1 for the first frame; 0 for the start of the run
  std::string what;         // "state 1f…, recorded 9a…"
};

class ReplayPlayback {
 public:
  // Builds the music, its first shuffle drawn from the generator it is given.
  using MusicMaker = std::function<std::unique_ptr<MusicPlayer>(Pcg32&)>;

  // Puts the process where the recording began: a generator at its start state, the music
  // `make_music` builds (its first shuffle draws from the generator, as at start-up), then
  // the first run in the recorded output mode from the recorded clock reading. The frames are
  // read from `reader` one ahead of the one played; their sound effects go to `effects` (none:
  // silent).
  ReplayPlayback(replay::ReplayReader& reader, const MusicMaker& make_music,
                 EffectCues* effects = nullptr);

  // No frame is left to play: reader.ending() says why.
  bool done() const { return !next_; }
  // Plays the next recorded frame into `list`. Only when not done().
  FrameOutcome step(DrawList& list);

  std::uint64_t frames_played() const { return played_; }
  // The recorded frame step() plays next.
  const replay::Frame& next_frame() const { return *next_; }
  const std::optional<Parting>& parting() const { return parting_; }
  // The hash of the state now (after the last frame played).
  std::uint64_t state_hash() const { return hash_; }
  MusicPlayer* music() { return music_.get(); }

 private:
  void part(std::uint64_t frame, std::string what);
  // The frame after the one played, if the records go on.
  void read_next();

  replay::ReplayReader& reader_;
  Pcg32 rng_;  // the replayed process's generator, from state 0
  std::unique_ptr<MusicPlayer> music_;
  EffectCues* effects_;
  std::optional<GameState> state_;
  std::optional<replay::Frame> next_;
  std::uint64_t played_ = 0;
  std::uint64_t hash_ = 0;
  std::optional<Parting> parting_;
};

// Music as recorded but silent: the playlist keeps the recorded track lengths, so it draws from
// `rng` exactly when the recording did. Nothing when music was off.
std::unique_ptr<MusicPlayer> silent_music(const replay::Header& header, Pcg32& rng);

// The hash as the replay texts show it: 16 hex digits.
std::string hash_text(std::uint64_t hash);

}  // namespace ventora
