#include "display/draw/font_mapping.h"

#include <QFontMetricsF>
#include <QHash>
#include <cmath>

#include "platform/gui/text_convert.h"
#include "platform/runtime/win1252.h"

namespace display {

void RegisterFontSubstitutions() {
    // Made once, by its own initialiser, whichever thread asks first.
    [[maybe_unused]] static const bool kRegistered = [] {
        QFont::insertSubstitution("Arial", "Liberation Sans");
        QFont::insertSubstitution("Courier", "Liberation Mono");
        QFont::insertSubstitution("Courier New", "Liberation Mono");
        QFont::insertSubstitution("Times New Roman", "Liberation Serif");
        return true;
    }();
}

namespace {

double MeasureCellPerEm(const QString& family) {
    RegisterFontSubstitutions();
    QFont f(family);
    f.setPixelSize(1000);
    QFontMetricsF m(f);
    double ratio = (m.ascent() + m.descent()) / 1000.0;
    if (!(ratio > 0.5 && ratio < 3.0)) ratio = 1.15;
    return ratio;
}

}  // namespace

double CellPerEm(const QString& family) {
    // The faces the drawing names are measured once, by the table's own
    // initialiser; any other face (one a metafile names) is measured each time.
    static const QHash<QString, double> kNamed = [] {
        QHash<QString, double> table;
        for (const char* face : {"Arial", "Courier", "Courier New", "Times New Roman"})
            table.insert(QString::fromLatin1(face), MeasureCellPerEm(QString::fromLatin1(face)));
        return table;
    }();
    if (const auto it = kNamed.constFind(family); it != kNamed.constEnd()) return *it;
    return MeasureCellPerEm(family);
}

QFont ToQFont(const Font& font) {
    RegisterFontSubstitutions();
    const QString family = gui::ToQt(font.face.empty() ? std::string_view("Arial") : std::string_view(font.face));
    QFont f(family);
    f.setStyleHint(QFont::SansSerif);
    double em;
    if (font.height > 0) {
        em = font.height / CellPerEm(family);
    } else if (font.height < 0) {
        em = -font.height;
    } else {
        em = 13.0;  // the platform's default height
    }
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(em))));
    f.setWeight(font.weight >= 550 ? QFont::Bold : QFont::Normal);
    f.setItalic(font.italic);
    f.setUnderline(font.underline);
    f.setStrikeOut(font.strikeOut);
    f.setKerning(false);
    if (font.width > 0) {
        QFontMetricsF m(f);
        const double natural = m.averageCharWidth();
        if (natural > 0) {
            const int stretch = static_cast<int>(std::lround(100.0 * font.width / natural));
            f.setStretch(std::clamp(stretch, 1, 4000));
        }
    }
    return f;
}

TextMetrics MeasureTextIn(const Font& font, std::string_view cp1252) {
    const QFont f = ToQFont(font);
    QFontMetricsF m(f);
    TextMetrics tm;
    tm.ascent = m.ascent();
    tm.descent = m.descent();
    const QString s = gui::ToQt(cp1252);
    tm.advances.reserve(s.size());
    for (QChar c : s) {
        double a = m.horizontalAdvance(c);
        tm.advances.push_back(a);
        tm.width += a;
    }
    return tm;
}

}  // namespace display
