// The sheets on the screen keep the ink of every line whole, as on paper: the
// opaque background of a line never eats the descenders of the line above it,
// on common screens, at the zoom the viewer opens with, one step smaller and
// the whole width. Each text's ink is drawn alone and looked for in the
// viewer's picture.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <algorithm>

#include "display/draw/drawing_state.h"
#include "display/draw/painter_surface.h"
#include "display/draw/recording_surface.h"
#include "display/sheets/sheet_selection.h"
#include "display/sheets/sheet_view.h"
#include "display/sheets/sheet_viewer.h"
#include "platform/gui/message_box.h"
#include "platform/gui/system_services.h"
#include "tests/common/drawing_state_of_test.h"
#include "tests/display/sheets/sheet_person.h"

namespace {

class Screen : public gui::SystemServices {
public:
    Screen(int w, int h) : w_(w), h_(h) {}
    int ScreenWidth() override { return w_; }
    int ScreenHeight() override { return h_; }

private:
    int w_, h_;
};

// Keeps every text drawn on the viewer's canvas with the attributes it was drawn with.
class TextTap : public display::RecordingSurface {
public:
    TextTap() : RecordingSurface(testing_support::DrawingStateOfTest()) {}
    struct Drawn {
        display::SurfaceState state;
        display::Point at;
        std::string text;
    };
    void TextOut(display::Point p, std::string_view t) override {
        texts.push_back({State(), p, std::string(t)});
        RecordingSurface::TextOut(p, t);
    }
    std::vector<Drawn> texts;
};

bool Lit(QRgb c) { return qGray(c) > 60; }

struct Loss {
    std::string text;
    int pixels;
};

// The texts of the picture whose own ink, drawn alone, is dark somewhere in it.
std::vector<Loss> LostInk(const QImage& picture, const std::vector<TextTap::Drawn>& texts) {
    std::vector<Loss> out;
    QImage alone(picture.size(), QImage::Format_RGB32);
    alone.fill(Qt::black);
    for (const TextTap::Drawn& t : texts) {
        // Blanks have no ink; turned texts keep their cells whole.
        if (t.text.find_first_not_of(' ') == std::string::npos || t.state.font.escapement != 0) continue;
        // The rows the text can reach, whatever its alignment.
        const int reach = 2 * std::abs(t.state.font.height) + 4;
        const int top = std::clamp(t.at.y - reach, 0, alone.height());
        const int bottom = std::clamp(t.at.y + reach, 0, alone.height());
        {
            display::PainterSurface dc(testing_support::DrawingStateOfTest(), &alone);
            dc.SelectFont(t.state.font);
            dc.SetTextAlign(t.state.textAlign);
            dc.SetTextColor(t.state.textColor);
            dc.SetBkMode(display::kTransparent);
            if (t.state.clipped) dc.IntersectClip(t.state.clip);
            dc.TextOut(t.at, t.text);
        }
        int lost = 0;
        for (int y = top; y < bottom; ++y) {
            const QRgb* a = reinterpret_cast<const QRgb*>(alone.constScanLine(y));
            const QRgb* p = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
            for (int x = 0; x < alone.width(); ++x) lost += Lit(a[x]) && !Lit(p[x]);
        }
        if (lost > 0) out.push_back({t.text, lost});
        QPainter(&alone).fillRect(0, top, alone.width(), bottom - top, Qt::black);
    }
    return out;
}

TEST(SheetScreenText, EveryLineKeepsItsInkOnTheScreen) {
    testing_support::TempWorkFolder folder;
    gui::RecordingMessageSink sink;
    sheet_test::PrepareSheetViewer();
    for (auto [w, h] : std::vector<std::pair<int, int>>{{1920, 1080}, {1600, 1000}, {1280, 800}}) {
        gui::SetSystemServices(std::make_unique<Screen>(w, h));
        display::ResetDrawingState(testing_support::DrawingStateOfTest());
        display::InitDrawingFromScreen(testing_support::DrawingStateOfTest(), w, h);
        testing_support::DrawingStateOfTest().printerPresent = true;
        for (const auto& [code, orientation] :
             std::vector<std::pair<int, const char*>>{{5, "P"}, {16, "L"}, {17, "L"}, {18, "P"}}) {
            display::SheetSelectionState sheets;
            display::SheetViewer viewer(testing_support::CurrentChartOfTest(), sheets,
                                        testing_support::DrawingStateOfTest());
            viewer.resize(w, h);
            TextTap tap;
            viewer.SetRecorder(&tap);
            sheets.sheetCode = code;
            sheets.sheetOrientation = orientation;
            viewer.show();  // the view of the opening: zoom 0.5 for a portrait page
            // The bindings are copied in by name: clang (and so clang-tidy) does not
            // yet let a lambda capture a structured binding.
            auto check = [&, w = w, h = h, code = code](const char* view) {
                tap.texts.clear();
                viewer.ShowChartSheet();
                const QImage picture = viewer.Snapshot();
                for (const Loss& l : LostInk(picture, tap.texts))
                    ADD_FAILURE() << w << "x" << h << " sheet " << code << " " << view << " zoom "
                                  << double(testing_support::DrawingStateOfTest().zoomFactor) << ": '" << l.text
                                  << "' loses " << l.pixels;
            };
            check("opening");
            testing_support::ControlOf<QPushButton>(viewer, "BitBtnZoomMeno")->click();
            check("smaller");
            testing_support::ControlOf<QPushButton>(viewer, "BBlargarghezza")->click();  // whole width: zoom 1.0
            check("whole width");
            viewer.SetRecorder(nullptr);
            viewer.close();
        }
    }
    gui::SetSystemServices(nullptr);
    display::ResetDrawingState(testing_support::DrawingStateOfTest());
}

}  // namespace
