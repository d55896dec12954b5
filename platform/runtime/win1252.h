#pragma once
// Windows-1252 text: the byte encoding of every text the program stores or compares.
#include <string>
#include <string_view>

namespace rt {

// Decodes Windows-1252 bytes to UTF-8. The five codes with no character
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) decode to the C1 control of the same value.
std::string Cp1252ToUtf8(std::string_view bytes);

// Encodes UTF-8 text to Windows-1252 bytes; a character with no code becomes "?".
// Malformed UTF-8 bytes are taken as Windows-1252 bytes as they stand.
std::string Utf8ToCp1252(std::string_view utf8);

// Unicode code point of one Windows-1252 byte.
char32_t Cp1252CodePoint(unsigned char c);

// Windows-1252 byte of a code point, or '?' when it has none.
unsigned char Cp1252FromCodePoint(char32_t cp);

// Upper-cases a..z only, byte by byte (the old run-time's UpCase).
std::string UpperAscii(std::string_view s);

}  // namespace rt
