// Reading a recorded DrawList in tests: commands of one kind, texts, a text by its content.
// `find_text` matches the whole text, `find_text_starting` its start; both give null when nothing
// matches. `drawn_text` and `drawn_text_starting` are for texts that must be there: a missing one
// fails the test and reads as an empty command instead of a null pointer.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "draw/draw_list.h"

namespace ventora::draw_queries {

inline std::vector<DrawCommand> of_op(const DrawList& list, DrawOp op) {
  std::vector<DrawCommand> out;
  for (const DrawCommand& c : list.commands) {
    if (c.op == op) out.push_back(c);
  }
  return out;
}

inline std::vector<std::string> texts(const DrawList& list) {
  std::vector<std::string> out;
  for (const DrawCommand& c : of_op(list, DrawOp::Text)) out.push_back(c.text);
  return out;
}

// The first text that is exactly `text`, or null.
inline const DrawCommand* find_text(const DrawList& list, std::string_view text) {
  for (const DrawCommand& c : list.commands) {
    if (c.op == DrawOp::Text && c.text == text) return &c;
  }
  return nullptr;
}

// The first text that starts with `prefix`, or null.
inline const DrawCommand* find_text_starting(const DrawList& list, std::string_view prefix) {
  for (const DrawCommand& c : list.commands) {
    if (c.op == DrawOp::Text && c.text.starts_with(prefix)) return &c;
  }
  return nullptr;
}

inline const DrawCommand& missing_text(std::string_view what) {
  static const DrawCommand kNothing{};
  ADD_FAILURE() << "no text " << what << " was drawn";
  return kNothing;
}

inline const DrawCommand& drawn_text(const DrawList& list, std::string_view text) {
  const DrawCommand* found = find_text(list, text);
  return found != nullptr ? *found : missing_text("\"" + std::string(text) + "\"");
}

inline const DrawCommand& drawn_text_starting(const DrawList& list, std::string_view prefix) {
  const DrawCommand* found = find_text_starting(list, prefix);
  return found != nullptr ? *found : missing_text("starting \"" + std::string(prefix) + "\"");
}

}  // namespace ventora::draw_queries
