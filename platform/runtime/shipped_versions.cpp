#include "platform/runtime/shipped_versions.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>

#include "platform/runtime/record_file.h"

namespace rt {
namespace {

// clang-format off
constexpr std::array<std::uint32_t, 64> kRoundConstants{
    0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4, 0xab1c5ed5,
    0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174,
    0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da,
    0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967,
    0x27b70a85, 0x2e1b2138, 0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85,
    0xa2bfe8a1, 0xa81a664b, 0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070,
    0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
    0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7, 0xc67178f2};
// clang-format on

// Inline, so that even the sanitizer build's light optimisation inlines it.
inline std::uint32_t RotateRight(std::uint32_t x, int n) {
  return (x >> n) | (x << (32 - n));
}

void CompressBlock(std::array<std::uint32_t, 8> &state,
                   const unsigned char *block) {
  // The block's big-endian words copied at once: a byte at a time costs the
  // sanitizers a check of each byte's address.
  std::uint32_t w[64];
  std::memcpy(w, block, 64);
  if constexpr (std::endian::native == std::endian::little)
    for (int i = 0; i < 16; ++i)
      w[i] = __builtin_bswap32(w[i]);
  for (int i = 16; i < 64; ++i) {
    const std::uint32_t s0 = RotateRight(w[i - 15], 7) ^
                             RotateRight(w[i - 15], 18) ^ (w[i - 15] >> 3);
    const std::uint32_t s1 = RotateRight(w[i - 2], 17) ^
                             RotateRight(w[i - 2], 19) ^ (w[i - 2] >> 10);
    w[i] = w[i - 16] + s0 + w[i - 7] + s1;
  }
  // The working variables in locals rather than an array: in registers even
  // where the sanitizers would check every access to the array.
  std::uint32_t a = state[0], b = state[1], c = state[2], d = state[3];
  std::uint32_t e = state[4], f = state[5], g = state[6], h = state[7];
  for (int i = 0; i < 64; ++i) {
    const std::uint32_t s1 =
        RotateRight(e, 6) ^ RotateRight(e, 11) ^ RotateRight(e, 25);
    const std::uint32_t choice = (e & f) ^ (~e & g);
    const std::uint32_t t1 = h + s1 + choice + kRoundConstants[i] + w[i];
    const std::uint32_t s0 =
        RotateRight(a, 2) ^ RotateRight(a, 13) ^ RotateRight(a, 22);
    const std::uint32_t majority = (a & b) ^ (a & c) ^ (b & c);
    const std::uint32_t t2 = s0 + majority;
    h = g;
    g = f;
    f = e;
    e = d + t1;
    d = c;
    c = b;
    b = a;
    a = t1 + t2;
  }
  state[0] += a;
  state[1] += b;
  state[2] += c;
  state[3] += d;
  state[4] += e;
  state[5] += f;
  state[6] += g;
  state[7] += h;
}

bool EndsWithPdf(std::string_view name) {
  if (name.size() < 4)
    return false;
  std::string tail(name.substr(name.size() - 4));
  for (char &c : tail)
    if (c >= 'A' && c <= 'Z')
      c = static_cast<char>(c + 32);
  return tail == ".pdf";
}

} // namespace

std::string Sha256Hex(std::string_view bytes) {
  std::array<std::uint32_t, 8> state{0x6a09e667, 0xbb67ae85, 0x3c6ef372,
                                     0xa54ff53a, 0x510e527f, 0x9b05688c,
                                     0x1f83d9ab, 0x5be0cd19};
  const auto *data = reinterpret_cast<const unsigned char *>(bytes.data());
  std::size_t whole = bytes.size() / 64 * 64;
  for (std::size_t at = 0; at < whole; at += 64)
    CompressBlock(state, data + at);
  // The rest, a 1 bit, zeros, and the length in bits, in one or two blocks.
  std::array<unsigned char, 128> tail{};
  const std::size_t rest = bytes.size() - whole;
  std::copy(data + whole, data + bytes.size(), tail.begin());
  tail[rest] = 0x80;
  const std::size_t tailSize = rest < 56 ? 64 : 128;
  const std::uint64_t bits = std::uint64_t(bytes.size()) * 8;
  for (int i = 0; i < 8; ++i)
    tail[tailSize - 1 - i] = static_cast<unsigned char>(bits >> (8 * i));
  for (std::size_t at = 0; at < tailSize; at += 64)
    CompressBlock(state, tail.data() + at);
  static const char kHex[] = "0123456789abcdef";
  std::string hex;
  for (std::uint32_t word : state)
    for (int shift = 28; shift >= 0; shift -= 4)
      hex += kHex[(word >> shift) & 0xF];
  return hex;
}

std::string ShippedDigestOf(std::string_view bytes, std::string_view name) {
  if (!EndsWithPdf(name))
    return Sha256Hex(bytes);
  constexpr std::string_view kKey = "/CreationDate (D:";
  constexpr std::size_t kDigits = 14; // YYYYMMDDHHMMSS
  const std::size_t at = bytes.find(kKey);
  if (at == std::string_view::npos || at + kKey.size() + kDigits > bytes.size())
    return Sha256Hex(bytes);
  std::string undated(bytes);
  undated.replace(at + kKey.size(), kDigits, kDigits, '0');
  return Sha256Hex(undated);
}

std::optional<std::string>
ShippedDigestOfFile(const std::filesystem::path &file) {
  std::ifstream in(file, std::ios::binary);
  if (!in)
    return std::nullopt;
  const std::string bytes = ReadRest(in);
  if (in.bad())
    return std::nullopt;
  return ShippedDigestOf(bytes, file.filename().string());
}

EarlierShipped ReadEarlierShipped(const std::filesystem::path &listFile) {
  EarlierShipped earlier;
  std::ifstream in(listFile, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    if (line.size() < 66 || line[64] != ' ')
      continue;
    const std::string digest = line.substr(0, 64);
    if (digest.find_first_not_of("0123456789abcdef") != std::string::npos)
      continue;
    earlier[line.substr(65)].insert(digest);
  }
  return earlier;
}

} // namespace rt
