#include "app/replay_check.h"

#include "replay/replay_reader.h"

namespace ventora {

std::string parting_line(const Parting& parting) {
  if (parting.frame == 0) return "replay differs at the start: " + parting.what;
  return "replay differs at frame " + std::to_string(parting.frame) + ": " + parting.what;
}

ReplayVerdict replay_verdict(const ReplayPlayback& playback, const replay::ReplayReader& reader) {
  if (const auto& parting = playback.parting()) return {kReplayFailed, parting_line(*parting)};
  const std::string frames = std::to_string(playback.frames_played());
  switch (reader.ending()) {
    case replay::Ending::Damaged: return {kReplayFailed, "replay " + reader.problem()};
    case replay::Ending::EndRecord: break;
    case replay::Ending::None:
    case replay::Ending::Cut:
      return {kReplayIncomplete, "replay incomplete: " + frames + " frames checked, no end record"};
  }
  if (reader.end()->end_hash != playback.state_hash()) {
    return {kReplayFailed, "replay differs at the end: state " + hash_text(playback.state_hash()) +
                               ", recorded " + hash_text(reader.end()->end_hash)};
  }
  return {kReplayOk,
          "replay ok: " + frames + " frames, end state " + hash_text(playback.state_hash())};
}

ReplayVerdict unopened_verdict(const std::string& path, const replay::ReplayError& error) {
  if (error.header_cut) return {kReplayIncomplete, "replay incomplete: " + error.message};
  return {kReplayFailed, "replay: " + path + ": " + error.message};
}

int check_replay(replay::ReplayReader& reader, std::FILE* out) {
  ReplayPlayback playback(reader, [&](Pcg32& rng) { return silent_music(reader.header(), rng); });
  DrawList list;
  while (!playback.parting() && !playback.done()) {
    list.clear();
    playback.step(list);
  }
  const ReplayVerdict verdict = replay_verdict(playback, reader);
  std::fprintf(out, "%s\n", verdict.line.c_str());
  return verdict.exit_code;
}

int check_replay_file(const std::string& path, std::string_view game_version) {
  const replay::OpenResult opened = replay::open_replay_file(path, game_version);
  if (opened) return check_replay(*opened.value(), stdout);
  const ReplayVerdict verdict = unopened_verdict(path, opened.error());
  std::fprintf(opened.error().header_cut ? stdout : stderr, "%s\n", verdict.line.c_str());
  return verdict.exit_code;
}

}  // namespace ventora
