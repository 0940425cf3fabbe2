#include "music/music_player.h"

#include <algorithm>
#include <cstdlib>
#include <numeric>
#include <utility>

#include "music/music_loading.h"
#include "music/music_streamer.h"

namespace ventora {

namespace {

// Present counts, even with an empty value.
bool env_present(const char* name) { return std::getenv(name) != nullptr; }

}  // namespace

bool music_switched_on() {
  if (env_present("VENTORA_DISABLE_MUSIC")) return false;
  return env_present("VENTORA_ENABLE_MUSIC");
}

MusicSetUp::MusicSetUp(const std::function<std::unique_ptr<AudioOut>()>& open_audio, DecodeOn decode_on) {
  if (!music_switched_on()) {
    messages_.emplace_back("background music disabled on this platform/session");
    return;
  }
  audio_ = open_audio();
  if (audio_) loading_ = std::make_unique<MusicLoading>(music_tracks(), defeat_cue_track(), decode_on);
}

MusicSetUp::~MusicSetUp() = default;

bool MusicSetUp::poll(bool wait) {
  if (!loading_) return true;
  const bool done = loading_->load_ready(*audio_, wait);
  for (Error& failure : loading_->take_failures()) messages_.push_back(std::move(failure.message));
  return done;
}

std::vector<std::string> MusicSetUp::take_messages() { return std::exchange(messages_, {}); }

std::unique_ptr<MusicPlayer> MusicSetUp::take_player(Pcg32& rng) {
  if (!loading_) return nullptr;
  LoadedMusic music = loading_->take();
  loading_.reset();
  release_embedded_track_pages();
  return make_music_player(std::move(audio_), std::move(music), rng);
}

MusicStart music_player_from_environment(const std::function<std::unique_ptr<AudioOut>()>& open_audio,
                                         Pcg32& rng, DecodeOn decode_on) {
  MusicSetUp set_up(open_audio, decode_on);
  set_up.poll(true);
  MusicStart start;
  start.messages = set_up.take_messages();
  start.player = set_up.take_player(rng);
  return start;
}

std::unique_ptr<MusicPlayer> make_music_player(std::unique_ptr<AudioOut> audio, LoadedMusic music,
                                               Pcg32& rng) {
  auto player = std::make_unique<MusicPlayer>();
  player->audio = std::move(audio);
  player->tracks = std::move(music.tracks);
  player->track_seconds = std::move(music.track_seconds);
  player->defeat_cue = music.defeat_cue;
  player->streamer = std::move(music.streamer);
  reshuffle_music(*player, rng);
  return player;
}

void reshuffle_music(MusicPlayer& player, Pcg32& rng) {
  const std::size_t n = player.tracks.size();
  player.order.resize(n);
  std::iota(player.order.begin(), player.order.end(), std::size_t{0});
  if (n >= 2) {
    for (std::size_t k = n; k >= 2; --k) {
      const std::uint64_t r = rng.next();
      const auto j = static_cast<std::size_t>((k * r) >> 32);
      std::swap(player.order[k - 1], player.order[j]);
    }
    if (rng.next() % 2 == 0) {
      std::rotate(player.order.begin(), player.order.begin() + 1, player.order.end());
    }
  }
  player.position = 0;
}

void music_tick(MusicPlayer* player, Pcg32& rng, float dt) {
  if (player == nullptr) return;
  if (player->streamer) player->streamer->pump();  // the defeat cue plays while the playlist is held
  if (player->tracks.empty() || player->held) return;
  player->next_start_in -= dt;
  if (player->next_start_in > 0.0f) return;
  if (player->position >= player->order.size()) reshuffle_music(*player, rng);
  const std::size_t i = player->order[player->position];
  ++player->position;
  player->current = i;
  player->audio->play(player->tracks[i], kTrackVolume);
  player->next_start_in = player->track_seconds[i] + kTrackGapSeconds;
}

void start_defeat_cue(MusicPlayer* player) {
  if (player == nullptr) return;
  if (player->current) player->audio->stop(player->tracks[*player->current]);
  player->current.reset();
  player->held = true;
  if (player->defeat_cue) player->audio->play(*player->defeat_cue, kDefeatCueVolume);
}

void resume_after_device_loss(MusicPlayer* player) {
  if (player == nullptr) return;
  player->current.reset();
  if (!player->held) player->next_start_in = 0.0f;
}

void release_hold(MusicPlayer* player) {
  if (player == nullptr || !player->held) return;
  player->held = false;
  player->next_start_in = 0.0f;
}

}  // namespace ventora
