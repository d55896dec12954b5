#pragma once
// Length-prefixed fixed-capacity string fields of record files: one length byte,
// then room for `capacity` characters (bytes after the text are undefined).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace rt {

// Reads a field at `p`; a length byte larger than the capacity is clamped to it.
std::string ReadFixedString(const std::uint8_t* p, std::size_t capacity);

// Writes `s` cut to `capacity`; the unused bytes of the field are set to 0.
// The field occupies capacity + 1 bytes.
void WriteFixedString(std::uint8_t* p, std::size_t capacity, std::string_view s);

// Cuts a text to a string[N] capacity, as an assignment to such a variable does.
std::string CutTo(std::string_view s, std::size_t capacity);
// Characters start..start+len-1 (1-based) of a text, as far as it reaches;
// empty when start is 0 or beyond its end (the old run-time's Copy).
std::string Copy(std::string_view s, std::size_t start, std::size_t len);

}  // namespace rt
