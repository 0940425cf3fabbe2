// A value's bits as a value of another type of the same size (a float's as a 32-bit integer, and
// back), through memcpy: the browser build's C++ library has no standard cast for it yet.
#pragma once

#include <cstring>
#include <type_traits>

namespace ventora {

template <typename To, typename From>
To copy_bits(const From& from) {
  static_assert(sizeof(To) == sizeof(From));
  static_assert(std::is_trivially_copyable_v<To> && std::is_trivially_copyable_v<From>);
  To to;
  std::memcpy(&to, &from, sizeof to);
  return to;
}

}  // namespace ventora
