#pragma once

// An unsigned 128-bit integer: the compiler's own where it has one (64-bit
// targets), else two 64-bit halves with the few operations the number
// formatting needs (products of two 64-bit numbers, shifts, the low 64 bits).

#include <cstdint>

namespace korvel {

#ifdef __SIZEOF_INT128__
__extension__ typedef unsigned __int128 Uint128;
#else
class Uint128 {
 public:
  constexpr Uint128(std::uint64_t value = 0) : high_(0), low_(value) {}
  constexpr explicit operator std::uint64_t() const { return low_; }

  // Only for a factor that fits in 64 bits: the full product of the low halves.
  friend constexpr Uint128 operator*(Uint128 a, std::uint64_t b) {
    const std::uint64_t a0 = a.low_ & 0xFFFFFFFF, a1 = a.low_ >> 32;
    const std::uint64_t b0 = b & 0xFFFFFFFF, b1 = b >> 32;
    const std::uint64_t low = a0 * b0;
    const std::uint64_t middle1 = a1 * b0 + (low >> 32);
    const std::uint64_t middle2 = a0 * b1 + (middle1 & 0xFFFFFFFF);
    Uint128 product;
    product.high_ = a1 * b1 + (middle1 >> 32) + (middle2 >> 32);
    product.low_ = (middle2 << 32) | (low & 0xFFFFFFFF);
    return product;
  }
  friend constexpr Uint128 operator<<(Uint128 a, int shift) {
    if (shift == 0) return a;
    Uint128 result;
    if (shift >= 64) {
      result.high_ = a.low_ << (shift - 64);
    } else {
      result.high_ = (a.high_ << shift) | (a.low_ >> (64 - shift));
      result.low_ = a.low_ << shift;
    }
    return result;
  }
  friend constexpr Uint128 operator>>(Uint128 a, int shift) {
    if (shift == 0) return a;
    Uint128 result;
    if (shift >= 64) {
      result.low_ = a.high_ >> (shift - 64);
    } else {
      result.low_ = (a.low_ >> shift) | (a.high_ << (64 - shift));
      result.high_ = a.high_ >> shift;
    }
    return result;
  }

 private:
  std::uint64_t high_;
  std::uint64_t low_;
};
#endif

}  // namespace korvel
