// The lines of a list of errors, to compare with the text a test expects.
#pragma once

#include <string>
#include <vector>

#include "base/result.h"

namespace ventora::test {

inline std::vector<std::string> messages_of(const std::vector<Error>& errors) {
  std::vector<std::string> lines;
  for (const Error& error : errors) lines.push_back(error.message);
  return lines;
}

}  // namespace ventora::test
