#pragma once
// The one pair of conversions between model strings (Windows-1252 bytes) and widget text.
#include <QString>
#include <string>
#include <string_view>

namespace gui {

QString ToQt(std::string_view cp1252);
std::string FromQt(const QString& text);

}  // namespace gui
