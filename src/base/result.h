// What a call that can fail gives back: its value, or the one readable line that says what failed.
// Libraries pass it up; only the program's own start (the app, a tool) prints it and stops.
#pragma once

#include <string>
#include <utility>
#include <variant>

namespace ventora {

struct Error {
  std::string message;
};

template <typename T>
class [[nodiscard]] Result {
 public:
  Result(T value) : content_(std::move(value)) {}
  Result(Error error) : content_(std::move(error)) {}

  bool ok() const { return std::holds_alternative<T>(content_); }
  explicit operator bool() const { return ok(); }
  // Only when ok().
  T& value() { return std::get<T>(content_); }
  const T& value() const { return std::get<T>(content_); }
  // Only when not ok().
  const Error& error() const { return std::get<Error>(content_); }

 private:
  std::variant<T, Error> content_;
};

// The value of a Status that succeeded.
struct Done {};
using Status = Result<Done>;

}  // namespace ventora
