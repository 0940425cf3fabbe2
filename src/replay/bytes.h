// Little-endian fixed-width values in and out of byte buffers, for the replay's binary records.
// Floats travel by their bit patterns, so they come back exactly.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <span>
#include <type_traits>
#include <vector>

#include "base/copy_bits.h"

namespace ventora::replay {

using ventora::copy_bits;

class ByteWriter {
 public:
  explicit ByteWriter(std::vector<std::uint8_t>& out) : out_(out) {}
  void u8(std::uint8_t v) { out_.push_back(v); }
  void u16(std::uint16_t v) { little_endian(v, 2); }
  void u32(std::uint32_t v) { little_endian(v, 4); }
  void u64(std::uint64_t v) { little_endian(v, 8); }
  void i64(std::int64_t v) { u64(static_cast<std::uint64_t>(v)); }
  void f32(float v) { u32(copy_bits<std::uint32_t>(v)); }
  void f64(double v) { u64(copy_bits<std::uint64_t>(v)); }
  void bytes(std::span<const std::uint8_t> b) { out_.insert(out_.end(), b.begin(), b.end()); }

 private:
  void little_endian(std::uint64_t v, int size) {
    for (int i = 0; i < size; ++i) out_.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  }
  std::vector<std::uint8_t>& out_;
};

// Reads from a fixed span; every read fails (returns false, leaves the value) past its end.
// Given a `whole_size` larger than the span, the span is the start of a record the file cuts off:
// reads still fail past `whole_size`, and a read that fails only because the bytes stop sooner
// sets cut().
class ByteReader {
 public:
  explicit ByteReader(std::span<const std::uint8_t> in) : ByteReader(in, in.size()) {}
  ByteReader(std::span<const std::uint8_t> in, std::size_t whole_size)
      : in_(in), whole_size_(std::max(whole_size, in.size())) {}
  bool u8(std::uint8_t& v) { return little_endian(v, 1); }
  bool u16(std::uint16_t& v) { return little_endian(v, 2); }
  bool u32(std::uint32_t& v) { return little_endian(v, 4); }
  bool u64(std::uint64_t& v) { return little_endian(v, 8); }
  bool i64(std::int64_t& v) {
    std::uint64_t u = 0;
    if (!u64(u)) return false;
    v = static_cast<std::int64_t>(u);
    return true;
  }
  bool f32(float& v) {
    std::uint32_t u = 0;
    if (!u32(u)) return false;
    v = copy_bits<float>(u);
    return true;
  }
  bool f64(double& v) {
    std::uint64_t u = 0;
    if (!u64(u)) return false;
    v = copy_bits<double>(u);
    return true;
  }
  bool bytes(std::size_t n, std::span<const std::uint8_t>& out) {
    if (!have(n)) return false;
    out = in_.subspan(pos_, n);
    pos_ += n;
    return true;
  }
  std::size_t position() const { return pos_; }
  // Bytes left of the whole size.
  std::size_t remaining() const { return whole_size_ - pos_; }
  // A read failed where the bytes stop short of the whole size.
  bool cut() const { return cut_; }

 private:
  bool have(std::size_t n) {
    if (remaining() < n) return false;
    if (in_.size() - pos_ < n) {
      cut_ = true;
      return false;
    }
    return true;
  }
  template <class T>
  bool little_endian(T& v, std::size_t size) {
    if (!have(size)) return false;
    std::uint64_t acc = 0;
    for (std::size_t i = 0; i < size; ++i) acc |= std::uint64_t{in_[pos_ + i]} << (8 * i);
    pos_ += size;
    v = static_cast<T>(acc);
    return true;
  }
  std::span<const std::uint8_t> in_;
  std::size_t whole_size_;
  std::size_t pos_ = 0;
  bool cut_ = false;
};

}  // namespace ventora::replay
