#pragma once

#include <array>
#include <cstdint>

// The 80-bit extended float of stored files (sign, 15-bit exponent biased by
// 16383, 64-bit significand with an explicit integer bit), little-endian,
// converted from and to double by our own code so that no compiler's
// long double layout is relied on.

using ExtendedBytes = std::array<std::uint8_t, 10>;

// Exact: every double is representable. Infinities and NaNs keep their kind
// and sign; a NaN's payload keeps its leading bits.
ExtendedBytes EncodeExtended(double value);

// Rounds to the nearest double (ties to even); values beyond the double range
// become infinities or zeros. Encodings the x87 treats as invalid (unnormals,
// pseudo-infinities, pseudo-NaNs) decode as NaN.
double DecodeExtended(const ExtendedBytes& bytes);
