#include "view/line_breaks.h"

#include <optional>

namespace ventora {

namespace {

struct Break {
  size_t line_end;  // where the taken line ends
  size_t resume;    // where the remainder starts
};

}  // namespace

std::string take_line(const Canvas& canvas, std::string_view& rest,
                      std::initializer_list<std::string_view> joins, float font_size, float room) {
  const auto fits = [&](size_t end) {
    return canvas.measure_text(rest.substr(0, end), font_size).width <= room;
  };
  const auto take = [&](Break b) {
    std::string line(rest.substr(0, b.line_end));
    rest.remove_prefix(b.resume);
    return line;
  };
  if (fits(rest.size())) return take({rest.size(), rest.size()});

  std::optional<Break> first_of_any;
  for (std::string_view join : joins) {
    const size_t kept = join.find_last_not_of(' ') + 1;  // 0 for a join of spaces only
    std::optional<Break> longest;
    for (size_t at = rest.find(join); at != std::string_view::npos;
         at = rest.find(join, at + join.size())) {
      const Break here{at + kept, at + join.size()};
      if (!first_of_any || here.line_end < first_of_any->line_end) first_of_any = here;
      if (!fits(here.line_end)) break;  // a longer line is no narrower
      longest = here;
    }
    if (longest) return take(*longest);
  }
  return take(first_of_any.value_or(Break{rest.size(), rest.size()}));
}

}  // namespace ventora
