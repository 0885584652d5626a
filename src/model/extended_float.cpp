#include "model/extended_float.h"

#include <bit>
#include <cmath>
#include <limits>

namespace {

constexpr int kExtendedBias = 16383;
constexpr int kDoubleBias = 1023;
constexpr std::uint16_t kMaxExponent = 0x7FFF;
constexpr std::uint64_t kIntegerBit = std::uint64_t{1} << 63;
constexpr std::uint64_t kDoubleFraction = (std::uint64_t{1} << 52) - 1;

double Signed(bool negative, double magnitude) { return negative ? -magnitude : magnitude; }

double NaNWithPayload(bool negative, std::uint64_t significand) {
  std::uint64_t fraction = (significand >> 11) & kDoubleFraction;
  if (fraction == 0) fraction = std::uint64_t{1} << 51;  // keep it a NaN, a quiet one
  return std::bit_cast<double>((negative ? kIntegerBit : 0) | (std::uint64_t{0x7FF} << 52) |
                               fraction);
}

// significand × 2^(exponent of its lowest bit), rounded into the subnormal
// range of double, whose lowest bit is 2^-1074.
double RoundToSubnormal(std::uint64_t significand, int lowExponent) {
  const int shift = -1074 - lowExponent;
  if (shift >= 65) return 0.0;
  std::uint64_t kept = shift == 64 ? 0 : significand >> shift;
  const std::uint64_t dropped = shift == 64 ? significand : significand & ((std::uint64_t{1} << shift) - 1);
  const std::uint64_t half = std::uint64_t{1} << (shift - 1);
  if (dropped > half || (dropped == half && (kept & 1) != 0)) ++kept;
  return std::ldexp(static_cast<double>(kept), -1074);
}

}  // namespace

ExtendedBytes EncodeExtended(double value) {
  const std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
  const bool negative = (bits >> 63) != 0;
  const int doubleExponent = static_cast<int>((bits >> 52) & 0x7FF);
  const std::uint64_t fraction = bits & kDoubleFraction;

  std::uint16_t exponent = 0;
  std::uint64_t significand = 0;
  if (doubleExponent == 0x7FF) {
    exponent = kMaxExponent;
    significand = kIntegerBit | (fraction << 11);
  } else if (doubleExponent != 0) {
    exponent = static_cast<std::uint16_t>(doubleExponent - kDoubleBias + kExtendedBias);
    significand = kIntegerBit | (fraction << 11);
  } else if (fraction != 0) {
    // A subnormal double is a normal extended: shift its leading bit up.
    const int leadingZeros = std::countl_zero(fraction);
    significand = fraction << leadingZeros;
    exponent = static_cast<std::uint16_t>(kExtendedBias + 63 - 1074 - leadingZeros);
  }

  ExtendedBytes bytes{};
  for (int i = 0; i < 8; ++i) bytes[i] = static_cast<std::uint8_t>(significand >> (8 * i));
  bytes[8] = static_cast<std::uint8_t>(exponent);
  bytes[9] = static_cast<std::uint8_t>((exponent >> 8) | (negative ? 0x80 : 0));
  return bytes;
}

double DecodeExtended(const ExtendedBytes& bytes) {
  std::uint64_t significand = 0;
  for (int i = 0; i < 8; ++i) significand |= std::uint64_t{bytes[i]} << (8 * i);
  const bool negative = (bytes[9] & 0x80) != 0;
  const int exponent = ((bytes[9] & 0x7F) << 8) | bytes[8];

  if (exponent == kMaxExponent) {
    if ((significand & kIntegerBit) == 0) return std::numeric_limits<double>::quiet_NaN();
    if ((significand << 1) == 0) return Signed(negative, std::numeric_limits<double>::infinity());
    return NaNWithPayload(negative, significand);
  }
  // Extended denormals lie far below the smallest double.
  if (exponent == 0) return Signed(negative, 0.0);
  if ((significand & kIntegerBit) == 0) return std::numeric_limits<double>::quiet_NaN();

  const int leadExponent = exponent - kExtendedBias;
  const int lowExponent = leadExponent - 63;
  if (leadExponent > 1023) return Signed(negative, std::numeric_limits<double>::infinity());
  if (leadExponent < -1022) return Signed(negative, RoundToSubnormal(significand, lowExponent));
  // The integer conversion rounds to nearest, ties to even; scaling is exact
  // (or overflows to infinity when rounding carried past the largest double).
  return Signed(negative, std::ldexp(static_cast<double>(significand), lowExponent));
}
