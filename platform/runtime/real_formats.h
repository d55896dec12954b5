#pragma once
// Binary real formats of the old run-time: the 10-byte extended real and the 6-byte real.
#include <cstdint>

namespace rt {

// 80-bit extended real (x87 layout, little-endian) from and to its 10 bytes.
long double ExtendedFromBytes(const std::uint8_t* p);
void ExtendedToBytes(long double v, std::uint8_t* p);

// 6-byte real: byte 0 the exponent biased by 129 (0 means zero), bytes 1..5 the
// mantissa without its leading 1, least significant byte first, the top bit of
// byte 5 the sign.
long double Real48FromBytes(const std::uint8_t* p);
// Writes v rounded to the 39-bit mantissa; false (bytes untouched) when v is
// not finite or its exponent does not fit.
bool Real48ToBytes(long double v, std::uint8_t* p);

}  // namespace rt
