#include "platform/runtime/real_formats.h"

#include <cmath>
#include <cstring>

static_assert(sizeof(long double) >= 10, "long double must be the 80-bit extended real");

namespace rt {

long double ExtendedFromBytes(const std::uint8_t* p) {
    long double v = 0;
    std::memcpy(&v, p, 10);
    return v;
}

void ExtendedToBytes(long double v, std::uint8_t* p) {
    std::uint8_t buf[sizeof(long double)] = {};
    std::memcpy(buf, &v, sizeof(long double));
    std::memcpy(p, buf, 10);
}

long double Real48FromBytes(const std::uint8_t* p) {
    if (p[0] == 0) return 0.0L;
    // 39-bit fraction: bytes 1..5, byte 5's top bit is the sign.
    std::uint64_t frac = 0;
    for (int i = 5; i >= 1; --i) frac = (frac << 8) | p[i];
    bool negative = (frac >> 39) & 1;
    frac &= (std::uint64_t(1) << 39) - 1;
    long double mant = 1.0L + std::ldexp(static_cast<long double>(frac), -39);
    long double v = std::ldexp(mant, static_cast<int>(p[0]) - 129);
    return negative ? -v : v;
}

bool Real48ToBytes(long double v, std::uint8_t* p) {
    if (!std::isfinite(v)) return false;
    if (v == 0) {
        std::memset(p, 0, 6);
        return true;
    }
    bool negative = v < 0;
    long double a = std::fabs(v);
    int e = 0;
    long double m = std::frexp(a, &e);  // a = m * 2^e, m in [0.5, 1)
    // a = (2m) * 2^(e-1): mantissa 1.f, exponent byte = e - 1 + 129.
    long double scaled = std::ldexp(m * 2.0L - 1.0L, 39);
    std::uint64_t frac = static_cast<std::uint64_t>(std::nearbyint(scaled));
    if (frac >> 39) {  // rounding carried into the hidden bit
        frac = 0;
        ++e;
    }
    int exponent = e - 1 + 129;
    if (exponent < 1 || exponent > 255) return false;
    p[0] = static_cast<std::uint8_t>(exponent);
    if (negative) frac |= std::uint64_t(1) << 39;
    for (int i = 1; i <= 5; ++i) {
        p[i] = static_cast<std::uint8_t>(frac & 0xFF);
        frac >>= 8;
    }
    return true;
}

}  // namespace rt
