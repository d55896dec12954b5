#include "platform/gui/text_convert.h"

#include <QList>

#include "platform/runtime/win1252.h"

namespace gui {

QString ToQt(std::string_view cp1252) { return QString::fromStdString(rt::Cp1252ToUtf8(cp1252)); }

std::string FromQt(const QString& text) { return rt::Utf8ToCp1252(text.toStdString()); }

std::string ForeignCharacters(const QString& text) {
    std::u32string found;
    for (char32_t c : text.toUcs4())
        if (c != U'?' && rt::Cp1252FromCodePoint(c) == '?' && found.find(c) == std::u32string::npos) found += c;
    std::string out;
    for (char32_t c : found)
        out += (out.empty() ? "" : ", ") +
               QString("U+%1").arg(static_cast<uint>(c), 4, 16, QChar('0')).toUpper().toStdString();
    return out;
}

}  // namespace gui
