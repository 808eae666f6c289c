#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

namespace fb::xlt {

// Appends little-endian values to a byte buffer, the byte order of every structure in the file.
class ByteWriter {
 public:
  void u8(unsigned value) { bytes_.push_back(static_cast<std::uint8_t>(value)); }
  void u16(unsigned value) {
    u8(value & 0xFFU);
    u8((value >> 8U) & 0xFFU);
  }
  void u32(std::uint32_t value) {
    u16(value & 0xFFFFU);
    u16(value >> 16U);
  }
  void u64(std::uint64_t value) {
    u32(static_cast<std::uint32_t>(value & 0xFFFFFFFFU));
    u32(static_cast<std::uint32_t>(value >> 32U));
  }
  void f64(double value) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    u64(bits);
  }
  void raw(const std::vector<std::uint8_t>& more) {
    bytes_.insert(bytes_.end(), more.begin(), more.end());
  }
  void zeros(std::size_t count) { bytes_.insert(bytes_.end(), count, 0); }
  // Overwrites a 32-bit value written earlier (offsets known only later).
  void patch_u32(std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
      bytes_[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
    }
  }
  std::size_t size() const { return bytes_.size(); }
  const std::vector<std::uint8_t>& bytes() const { return bytes_; }
  std::vector<std::uint8_t> take() { return std::move(bytes_); }

 private:
  std::vector<std::uint8_t> bytes_;
};

}  // namespace fb::xlt
