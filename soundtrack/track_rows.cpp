// Build tool: writes the rows the game embeds, one per row of tracks.def, each with its playing time
// read from the rendered file, so that what the game stores is what the file holds.
//   ventora_track_rows <folder of rendered MP3s> <out.inc>
// Each output line is VENTORA_EMBEDDED_TRACK(slug, title, artist, role, seconds).
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "soundtrack/mp3_frames.h"

namespace {

struct Row {
  std::string_view slug, title, artist, role;
};

constexpr Row kRows[] = {
#define VENTORA_TRACK(slug, title, artist, role, frames) {#slug, title, artist, #role},
#include "soundtrack/tracks.def"
#undef VENTORA_TRACK
};

// `text` as a C++ string literal.
std::string quoted(std::string_view text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out + '"';
}

// The stored length as a float literal with three decimals.
std::string seconds_literal(std::int64_t milliseconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%lld.%03lldf", static_cast<long long>(milliseconds / 1000),
                static_cast<long long>(milliseconds % 1000));
  return text;
}

bool read_file(const std::string& path, std::vector<std::uint8_t>& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace ventora;
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <folder of rendered MP3s> <out.inc>\n", argv[0]);
    return 2;
  }
  std::ostringstream rows;
  rows << "// Written by ventora_track_rows from soundtrack/tracks.def and the rendered files.\n";
  for (const Row& row : kRows) {
    const std::string path = std::string(argv[1]) + "/" + std::string(row.slug) + ".mp3";
    std::vector<std::uint8_t> mp3;
    if (!read_file(path, mp3)) {
      std::fprintf(stderr, "cannot read %s\n", path.c_str());
      return 1;
    }
    const std::int64_t milliseconds = playing_milliseconds(read_mp3_frames(mp3));
    if (milliseconds == 0) {
      std::fprintf(stderr, "%s holds no MP3 audio frames\n", path.c_str());
      return 1;
    }
    rows << "VENTORA_EMBEDDED_TRACK(" << row.slug << ", " << quoted(row.title) << ", " << quoted(row.artist)
         << ", " << row.role << ", " << seconds_literal(milliseconds) << ")\n";
  }
  std::ofstream out(argv[2]);
  out << rows.str();
  if (!out) {
    std::fprintf(stderr, "cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
