#include "app/replay_check.h"

#include "app/replay_playback.h"
#include "replay/replay_reader.h"

namespace ventora {

namespace {

void print_parting(const Parting& parting, std::FILE* out) {
  if (parting.frame == 0) {
    std::fprintf(out, "replay differs at the start: %s\n", parting.what.c_str());
  } else {
    std::fprintf(out, "replay differs at frame %llu: %s\n",
                 static_cast<unsigned long long>(parting.frame), parting.what.c_str());
  }
}

}  // namespace

int check_replay(const replay::ReplayFile& replay, std::FILE* out) {
  ReplayPlayback playback(replay, [&] { return silent_music(replay.header); });
  DrawList list;
  while (!playback.parting() && !playback.done()) {
    list.clear();
    playback.step(list);
  }
  if (const auto& parting = playback.parting()) {
    print_parting(*parting, out);
    return kReplayFailed;
  }
  const auto frames = static_cast<unsigned long long>(playback.frames_played());
  if (!replay.end) {
    std::fprintf(out, "replay incomplete: %llu frames checked, no end record\n", frames);
    return kReplayIncomplete;
  }
  if (replay.end->end_hash != playback.state_hash()) {
    std::fprintf(out, "replay differs at the end: state %s, recorded %s\n",
                 hash_text(playback.state_hash()).c_str(), hash_text(replay.end->end_hash).c_str());
    return kReplayFailed;
  }
  std::fprintf(out, "replay ok: %llu frames, end state %s\n", frames,
               hash_text(playback.state_hash()).c_str());
  return kReplayOk;
}

int check_replay_file(const std::string& path, std::string_view game_version) {
  const replay::ReadResult read = replay::read_replay_file(path, game_version);
  if (!read.replay) {
    std::fprintf(stderr, "replay: %s: %s\n", path.c_str(), read.error.c_str());
    return kReplayFailed;
  }
  return check_replay(*read.replay, stdout);
}

}  // namespace ventora
