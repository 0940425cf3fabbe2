// Reading a recorded DrawList in tests: commands of one kind, texts, a text by its content.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/draw_list.h"

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

}  // namespace ventora::draw_queries
