#include "display/draw/font_mapping.h"

#include <QFontMetricsF>
#include <QHash>
#include <cmath>

#include "platform/runtime/win1252.h"
#include "platform/gui/text_convert.h"

namespace display {

void RegisterFontSubstitutions() {
    static bool done = false;
    if (done) return;
    done = true;
    QFont::insertSubstitution("Arial", "Liberation Sans");
    QFont::insertSubstitution("Courier", "Liberation Mono");
    QFont::insertSubstitution("Courier New", "Liberation Mono");
    QFont::insertSubstitution("Times New Roman", "Liberation Serif");
}

double CellPerEm(const QString& family) {
    static QHash<QString, double> cache;
    auto it = cache.find(family);
    if (it != cache.end()) return *it;
    RegisterFontSubstitutions();
    QFont f(family);
    f.setPixelSize(1000);
    QFontMetricsF m(f);
    double ratio = (m.ascent() + m.descent()) / 1000.0;
    if (!(ratio > 0.5 && ratio < 3.0)) ratio = 1.15;
    cache.insert(family, ratio);
    return ratio;
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
