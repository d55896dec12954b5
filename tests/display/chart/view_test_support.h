#pragma once
// Reading a recording surface's log in page units: the texts drawn, where and
// in which colour.
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <QFontMetrics>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>

#include "display/draw/drawing_tools.h"
#include "display/draw/recording_surface.h"
#include "tests/common/drawing_state_of_test.h"

namespace view_test {

// True when a button's caption (and glyph) fits the part of the button that
// its style leaves for them.
inline bool CaptionFits(const QPushButton* b) {
    QStyleOptionButton opt;
    opt.initFrom(b);
    opt.text = b->text();
    opt.icon = b->icon();
    opt.iconSize = b->iconSize();
    const QRect contents = b->style()->subElementRect(QStyle::SE_PushButtonContents, &opt, b);
    int need = QFontMetrics(b->font()).horizontalAdvance(b->text());
    if (!b->icon().isNull()) need += b->iconSize().width() + 4;
    return need <= contents.width();
}

struct DrawnText {
    int x = 0, y = 0;
    unsigned align = 0;
    std::string colour;  // "#RRGGBB"
    std::string text;
};

inline std::vector<DrawnText> DrawnTexts(const display::RecordingSurface& dc) {
    std::vector<DrawnText> out;
    for (const std::string& l : dc.Calls("text")) {
        DrawnText t;
        char comma;
        std::istringstream in(l.substr(5));
        in >> t.x >> comma >> t.y;
        const auto a = l.find("align=");
        t.align = static_cast<unsigned>(std::stoul(l.substr(a + 6)));
        const auto c = l.find("color=");
        t.colour = l.substr(c + 6, 7);
        const auto q = l.find('\'');
        t.text = l.substr(q + 1, l.size() - q - 2);
        out.push_back(t);
    }
    return out;
}

// The text drawn at the device point of a page point, if any.
inline std::optional<DrawnText> TextAt(const display::RecordingSurface& dc, long double x, long double y) {
    const display::Point p = display::MapPoint(testing_support::DrawingStateOfTest(), x, y);
    std::optional<DrawnText> found;
    for (const DrawnText& t : DrawnTexts(dc))
        if (t.x == p.x && t.y == p.y) found = t;
    return found;
}

inline bool HasText(const display::RecordingSurface& dc, const std::string& text) {
    for (const DrawnText& t : DrawnTexts(dc))
        if (t.text == text) return true;
    return false;
}

// "line x1,y1 x2,y2 pen=..." of the page points, with the pen's colour, if drawn.
inline std::optional<std::string> LineBetween(const display::RecordingSurface& dc, long double x1, long double y1,
                                              long double x2, long double y2) {
    const display::Point a = display::MapPoint(testing_support::DrawingStateOfTest(), x1, y1),
                         b = display::MapPoint(testing_support::DrawingStateOfTest(), x2, y2);
    const std::string head = "line " + std::to_string(a.x) + "," + std::to_string(a.y) + " " + std::to_string(b.x) +
                             "," + std::to_string(b.y) + " ";
    for (const std::string& l : dc.Calls("line"))
        if (l.compare(0, head.size(), head) == 0) return l;
    return std::nullopt;
}

}  // namespace view_test
