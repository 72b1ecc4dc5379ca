// The fuzz targets' reader of their input bytes: booleans and integers taken from the
// front, zero once the input is used up, so every input is a valid run.
#ifndef VORN_FUZZ_FUZZ_INPUT_H
#define VORN_FUZZ_FUZZ_INPUT_H

#include <cstddef>
#include <cstdint>
#include <type_traits>

class FuzzInput {
 public:
  FuzzInput(const uint8_t* data, size_t size) : p_(data), end_(data + size) {}

  size_t remaining_bytes() const { return static_cast<size_t>(end_ - p_); }

  bool ConsumeBool() { return (Byte() & 1) != 0; }

  /// As many bytes as T has, little end first.
  template <class T>
  T ConsumeIntegral() {
    using U = std::make_unsigned_t<T>;
    U bits = 0;
    for (size_t i = 0; i < sizeof(T); ++i)
      bits = static_cast<U>(bits | static_cast<U>(static_cast<U>(Byte()) << (8 * i)));
    return static_cast<T>(bits);
  }

  /// A value in [lo, hi], taking only the bytes that the span needs.
  template <class T>
  T ConsumeIntegralInRange(T lo, T hi) {
    using U = std::make_unsigned_t<T>;
    const uint64_t span = static_cast<uint64_t>(static_cast<U>(hi) - static_cast<U>(lo));
    uint64_t bits = 0;
    for (uint64_t covered = 0; covered < span && p_ < end_; covered = (covered << 8) | 0xFF)
      bits = (bits << 8) | Byte();
    if (span != UINT64_MAX) bits %= span + 1;
    return static_cast<T>(static_cast<U>(static_cast<U>(lo) + static_cast<U>(bits)));
  }

 private:
  uint8_t Byte() { return p_ < end_ ? *p_++ : 0; }

  const uint8_t* p_;
  const uint8_t* end_;
};

#endif  // VORN_FUZZ_FUZZ_INPUT_H
