#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>

#include "model/extended_float.h"

namespace {

struct KnownPattern {
  double value;
  ExtendedBytes bytes;
};

TEST(ExtendedFloatTest, KnownBytePatterns) {
  const double inf = std::numeric_limits<double>::infinity();
  const KnownPattern table[] = {
      {1.0, {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}},
      {-1.0, {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0xBF}},
      {0.0, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {-0.0, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0x80}},
      {1000.0, {0, 0, 0, 0, 0, 0, 0, 0xFA, 0x08, 0x40}},
      {0.1, {0, 0xD0, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xFB, 0x3F}},
      {inf, {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x7F}},
      {-inf, {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0xFF}},
      // The smallest subnormal double, 2^-1074, is a normal extended.
      {std::ldexp(1.0, -1074), {0, 0, 0, 0, 0, 0, 0, 0x80, 0xCD, 0x3B}},
  };
  for (const KnownPattern& row : table) {
    SCOPED_TRACE(row.value);
    EXPECT_EQ(EncodeExtended(row.value), row.bytes);
    const double back = DecodeExtended(row.bytes);
    EXPECT_EQ(std::bit_cast<std::uint64_t>(back), std::bit_cast<std::uint64_t>(row.value));
  }
}

TEST(ExtendedFloatTest, EveryKindOfDoubleRoundTrips) {
  const double table[] = {2100.0,
                          -2970.5,
                          1.0 / 3.0,
                          std::numeric_limits<double>::max(),
                          std::numeric_limits<double>::min(),
                          std::numeric_limits<double>::denorm_min() * 12345,
                          std::numeric_limits<double>::epsilon()};
  for (double value : table) {
    SCOPED_TRACE(value);
    EXPECT_EQ(DecodeExtended(EncodeExtended(value)), value);
  }
  const ExtendedBytes nan = EncodeExtended(std::numeric_limits<double>::quiet_NaN());
  EXPECT_EQ(nan[9] & 0x7F, 0x7F);
  EXPECT_TRUE(std::isnan(DecodeExtended(nan)));
}

TEST(ExtendedFloatTest, DecodingRoundsAndBoundsWhatADoubleCannotHold) {
  // 1 + 2^-53 + 2^-63: just above half way between two doubles, rounds up.
  const ExtendedBytes aboveHalf{0x01, 0x04, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F};
  EXPECT_EQ(DecodeExtended(aboveHalf), 1.0 + std::ldexp(1.0, -52));
  // Exactly half way: ties to even, stays 1.
  const ExtendedBytes half{0, 0x04, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F};
  EXPECT_EQ(DecodeExtended(half), 1.0);
  // 2^16000 overflows, 2^-16000 underflows to zero, signs kept.
  const ExtendedBytes huge{0, 0, 0, 0, 0, 0, 0, 0x80, 0x7F, 0xFE};
  EXPECT_EQ(DecodeExtended(huge), -std::numeric_limits<double>::infinity());
  const ExtendedBytes tiny{0, 0, 0, 0, 0, 0, 0, 0x80, 0x7F, 0x01};
  EXPECT_EQ(DecodeExtended(tiny), 0.0);
  // 1.5 × 2^-1075 rounds to the smallest subnormal; 2^-1075 is a tie, to 0.
  const ExtendedBytes subnormal{0, 0, 0, 0, 0, 0, 0, 0xC0, 0xCC, 0x3B};
  EXPECT_EQ(DecodeExtended(subnormal), std::numeric_limits<double>::denorm_min());
  const ExtendedBytes tie{0, 0, 0, 0, 0, 0, 0, 0x80, 0xCC, 0x3B};
  EXPECT_EQ(DecodeExtended(tie), 0.0);
  // An unnormal (no integer bit) and a pseudo-infinity are invalid: NaN.
  const ExtendedBytes unnormal{0, 0, 0, 0, 0, 0, 0, 0x40, 0xFF, 0x3F};
  EXPECT_TRUE(std::isnan(DecodeExtended(unnormal)));
  const ExtendedBytes pseudoInfinity{0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0x7F};
  EXPECT_TRUE(std::isnan(DecodeExtended(pseudoInfinity)));
}

}  // namespace
