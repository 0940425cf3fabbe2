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

int check_replay(replay::ReplayReader& reader, std::FILE* out) {
  ReplayPlayback playback(reader, [&](Pcg32& rng) { return silent_music(reader.header(), rng); });
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
  if (reader.ending() == replay::Ending::Damaged) {
    std::fprintf(out, "replay %s\n", reader.problem().c_str());
    return kReplayFailed;
  }
  if (reader.ending() != replay::Ending::EndRecord) {
    std::fprintf(out, "replay incomplete: %llu frames checked, no end record\n", frames);
    return kReplayIncomplete;
  }
  if (reader.end()->end_hash != playback.state_hash()) {
    std::fprintf(out, "replay differs at the end: state %s, recorded %s\n",
                 hash_text(playback.state_hash()).c_str(),
                 hash_text(reader.end()->end_hash).c_str());
    return kReplayFailed;
  }
  std::fprintf(out, "replay ok: %llu frames, end state %s\n", frames,
               hash_text(playback.state_hash()).c_str());
  return kReplayOk;
}

int check_replay_file(const std::string& path, std::string_view game_version) {
  const replay::OpenResult opened = replay::open_replay_file(path, game_version);
  if (!opened && opened.error().header_cut) {
    std::fputs("replay incomplete: 0 frames checked, no end record\n", stdout);
    return kReplayIncomplete;
  }
  if (!opened) {
    std::fprintf(stderr, "replay: %s: %s\n", path.c_str(), opened.error().message.c_str());
    return kReplayFailed;
  }
  return check_replay(*opened.value(), stdout);
}

}  // namespace ventora
