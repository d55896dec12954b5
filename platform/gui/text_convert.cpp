#include "platform/gui/text_convert.h"

#include "platform/runtime/win1252.h"

namespace gui {

QString ToQt(std::string_view cp1252) { return QString::fromStdString(rt::Cp1252ToUtf8(cp1252)); }

std::string FromQt(const QString& text) { return rt::Utf8ToCp1252(text.toStdString()); }

}  // namespace gui
