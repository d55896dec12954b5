#pragma once
// The one pair of conversions between model strings (Windows-1252 bytes) and widget text.
#include <QString>
#include <string>
#include <string_view>

namespace gui {

QString ToQt(std::string_view cp1252);
std::string FromQt(const QString& text);

// The characters of a typed text that Windows-1252 cannot hold (emoji, other
// scripts), each named once by its code ("U+1F600, U+03B1"), in the order
// typed; "" when every character can be stored.
std::string ForeignCharacters(const QString& text);

}  // namespace gui
