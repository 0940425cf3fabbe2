// What a call that can fail gives back: its value, or the one readable line that says what failed.
// Libraries pass it up; only the program's own start (the app, a tool) prints it and stops.
#pragma once

#include <string>
#include <type_traits>
#include <utility>
#include <variant>

namespace ventora {

struct Error {
  std::string message;
};

// `E` is Error but where a caller must tell one failure from another (a replay whose header is
// cut short is not a damaged one): then a type with the same `message` and what tells them apart.
template <typename T, typename E = Error>
class [[nodiscard]] Result {
 public:
  Result(T value) : content_(std::move(value)) {}
  // Anything that converts to the value: a unique_ptr to a derived class, a string literal.
  template <typename U>
    requires(std::is_convertible_v<U &&, T> && !std::is_same_v<std::remove_cvref_t<U>, T> &&
             !std::is_same_v<std::remove_cvref_t<U>, E>)
  Result(U&& value) : content_(std::in_place_index<0>, std::forward<U>(value)) {}
  Result(E error) : content_(std::in_place_index<1>, std::move(error)) {}

  bool ok() const { return content_.index() == 0; }
  explicit operator bool() const { return ok(); }
  // Only when ok().
  T& value() { return std::get<0>(content_); }
  const T& value() const { return std::get<0>(content_); }
  // Only when not ok().
  const E& error() const { return std::get<1>(content_); }

 private:
  std::variant<T, E> content_;
};

// The value of a Status that succeeded.
struct Done {};
using Status = Result<Done>;

}  // namespace ventora
