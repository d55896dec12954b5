// The sheet viewer: its view arithmetic (zoom limits, drag threshold, wheel
// step), the metafile names it accepts, and end to end the four sheets of the
// fixed person printed to PDF and saved as metafiles, with the drawing state
// as before afterwards, failures included.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QMimeData>
#include <QPushButton>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "archive/current_chart.h"
#include "archive/draw_settings_file.h"
#include "display/draw/chart_metafile.h"
#include "display/draw/emf_player.h"
#include "display/draw/glyphs.h"
#include "display/draw/metafile_viewer.h"
#include "display/sheets/sheet_composers.h"
#include "display/sheets/sheet_printing.h"
#include "display/sheets/sheet_selection.h"
#include "display/sheets/sheet_terms.h"
#include "display/sheets/sheet_view.h"
#include "display/sheets/sheet_viewer.h"
#include "engine/receptions.h"
#include "platform/gui/message_box.h"
#include "platform/gui/modal.h"
#include "platform/gui/system_services.h"
#include "platform/runtime/number_text.h"
#include "tests/common/drawing_state_of_test.h"
#include "tests/display/draw/screen_extent.h"
#include "tests/display/sheets/sheet_person.h"

namespace sheet_viewer_test {

namespace {

std::string Shell(const std::string& command) { return testing_support::CommandOutput(command); }

class FullHdScreen : public gui::SystemServices {
public:
    int ScreenWidth() override { return 1920; }
    int ScreenHeight() override { return 1080; }
};

TEST(SheetView, PortraitPrinterPageOpensAtHalfSizeInTheMiddle) {
    display::ResetDrawingState(testing_support::DrawingStateOfTest());
    display::SheetViewerState motion;
    display::SetActivationView(testing_support::DrawingStateOfTest(), motion, 1920, 1080, "P");
    EXPECT_EQ(testing_support::DrawingStateOfTest().zoomFactor, 1.0L);  // no printer
    EXPECT_EQ(testing_support::DrawingStateOfTest().originX, 0);
    testing_support::DrawingStateOfTest().printerPresent = true;
    display::SetActivationView(testing_support::DrawingStateOfTest(), motion, 1920, 1080, "P");
    EXPECT_EQ(testing_support::DrawingStateOfTest().zoomFactor, 0.5L);
    EXPECT_EQ(testing_support::DrawingStateOfTest().originX, 480);
    EXPECT_FALSE(testing_support::DrawingStateOfTest().printerLandscape);
    display::SetActivationView(testing_support::DrawingStateOfTest(), motion, 1920, 1080, "L");
    EXPECT_EQ(testing_support::DrawingStateOfTest().zoomFactor, 1.0L);
    EXPECT_EQ(testing_support::DrawingStateOfTest().originX, 0);
    EXPECT_TRUE(testing_support::DrawingStateOfTest().printerLandscape);
}

TEST(SheetView, ZoomStepsAboutTheScreenCentreWithinTheLimits) {
    display::ResetDrawingState(testing_support::DrawingStateOfTest());
    display::SheetViewerState motion;
    display::SetActivationView(testing_support::DrawingStateOfTest(), motion, 1920, 1080, "L");
    display::ZoomSheetIn(testing_support::DrawingStateOfTest(), motion);
    EXPECT_EQ(testing_support::DrawingStateOfTest().originX, -144);  // Round(960 - 1.15 x 960)
    EXPECT_EQ(testing_support::DrawingStateOfTest().originY, -81);
    for (int i = 1; i < 10; ++i) display::ZoomSheetIn(testing_support::DrawingStateOfTest(), motion);
    EXPECT_EQ(testing_support::DrawingStateOfTest().zoomFactor, 4.0L);
    const int ox = testing_support::DrawingStateOfTest().originX, oy = testing_support::DrawingStateOfTest().originY;
    EXPECT_EQ(ox, -2880);
    display::ZoomSheetIn(testing_support::DrawingStateOfTest(), motion);  // at the limit: nothing moves
    EXPECT_EQ(testing_support::DrawingStateOfTest().zoomFactor, 4.0L);
    EXPECT_EQ(testing_support::DrawingStateOfTest().originX, ox);
    EXPECT_EQ(testing_support::DrawingStateOfTest().originY, oy);
    display::ResetSheetZoom(testing_support::DrawingStateOfTest());
    for (int i = 0; i < 6; ++i) display::ZoomSheetOut(testing_support::DrawingStateOfTest(), motion);
    EXPECT_GT(testing_support::DrawingStateOfTest().zoomFactor, 0.4L);
    display::ZoomSheetOut(testing_support::DrawingStateOfTest(), motion);
    EXPECT_EQ(testing_support::DrawingStateOfTest().zoomFactor, static_cast<long double>(0.4f));
}

TEST(SheetView, DragMovesOnlyBeyondTwoPixelsByTheLastMove) {
    display::ResetDrawingState(testing_support::DrawingStateOfTest());
    display::SheetViewerState v;
    v.dragging = 1;
    v.dragStartX = 100, v.dragStartY = 100;
    v.dragDeltaX = 2, v.dragDeltaY = 40;                                        // the last move
    display::EndSheetDrag(testing_support::DrawingStateOfTest(), v, 102, 145);  // released a little further
    EXPECT_EQ(testing_support::DrawingStateOfTest().originX, 0);
    EXPECT_EQ(testing_support::DrawingStateOfTest().originY, 40);
    EXPECT_EQ(v.dragging, 0);
}

TEST(SheetView, MetafileNamesAreCheckedWhole) {
    EXPECT_EQ(display::CheckSheetMetafileName("GRAF03.EMF"), "");
    EXPECT_EQ(display::CheckSheetMetafileName("GRAF03.emf"), "File deve essere .EMF");
    EXPECT_EQ(display::CheckSheetMetafileName("GRAF.03.EMF"), "File deve essere .EMF");
    EXPECT_EQ(display::CheckSheetMetafileName("..\\GRAF03.EMF"), "File deve essere .EMF");
    EXPECT_NE(display::CheckSheetMetafileName("a\\GRAF03.EMF"), "");
    EXPECT_NE(display::CheckSheetMetafileName("GRAF99.EMF"), "");
    EXPECT_EQ(display::CheckSheetMetafileName("GRAF07"), "");
}

class SheetViewer : public ::testing::Test {
protected:
    void SetUp() override {
        gui::SetSystemServices(std::make_unique<FullHdScreen>());
        sheet_test::PrepareSheetViewer();
        pdf_ = (folder_.Path() / "sheet.pdf").string();
        MakeViewer(std::make_unique<display::PdfSheetPrinter>(pdf_));
    }
    // The viewer, made anew to print on `printer`.
    void MakeViewer(std::unique_ptr<display::SheetPrinter> printer) {
        viewer_.reset();
        viewer_ =
            std::make_unique<display::SheetViewer>(testing_support::CurrentChartOfTest(), sheets_,
                                                   testing_support::DrawingStateOfTest(),
                                                   display::SheetViewerCollaborators{.drawSettings = &drawSettings_,
                                                                                     .printer = std::move(printer)});
        viewer_->resize(1920, 1080);
    }
    void TearDown() override {
        viewer_.reset();
        gui::SetSystemServices(nullptr);
        sheets_ = {};
    }
    void Open(int code, const char* orientation) {
        if (viewer_->isVisible()) viewer_->close();  // back to the main window first
        sheets_.sheetCode = code;
        sheets_.sheetOrientation = orientation;
        viewer_->show();
        viewer_->DrawWhenReady();  // the first opening draws on the second tick
        viewer_->DrawWhenReady();
    }
    struct Scale {
        long double ppu, ax, ay, zoom;
        int ox, oy, cx, cy;
    };
    static Scale Now() {
        return {
            testing_support::DrawingStateOfTest().pixelsPerUnit, testing_support::DrawingStateOfTest().aspectScaleX,
            testing_support::DrawingStateOfTest().aspectScaleY,  testing_support::DrawingStateOfTest().zoomFactor,
            testing_support::DrawingStateOfTest().originX,       testing_support::DrawingStateOfTest().originY,
            testing_support::WheelGeometryOfTest().wheelCentreX, testing_support::WheelGeometryOfTest().wheelCentreY};
    }
    static void ExpectSame(const Scale& a, const Scale& b) {
        EXPECT_EQ(a.ppu, b.ppu);
        EXPECT_EQ(a.ax, b.ax);
        EXPECT_EQ(a.ay, b.ay);
        EXPECT_EQ(a.zoom, b.zoom);
        EXPECT_EQ(a.ox, b.ox);
        EXPECT_EQ(a.oy, b.oy);
        EXPECT_EQ(a.cx, b.cx);
        EXPECT_EQ(a.cy, b.cy);
    }
    testing_support::TempWorkFolder folder_;
    gui::RecordingMessageSink sink_;
    std::string pdf_;
    archive::DrawSettings drawSettings_;
    display::SheetSelectionState sheets_;
    std::unique_ptr<display::SheetViewer> viewer_;
};

TEST_F(SheetViewer, EverySheetPrintsOnAnA4PageOfItsOrientation) {
    const struct {
        int code;
        const char* orientation;
        const char* caption;
    } sheets[] = {{5, "P", "DODECATEMORIEEN"},
                  {16, "L", "Relatieve LENGTEGRADEN"},
                  {17, "L", "GESPIEGELDE AFFINITEITEN"},
                  {18, "P", "SPIEGEL AFFINITEITEN"}};
    for (const auto& s : sheets) {
        Open(s.code, s.orientation);
        testing_support::DrawingStateOfTest().aspectScaleX = 1.02L;  // a calibrated screen
        Scale before = Now();
        const float fontScale = testing_support::DrawingStateOfTest().fontScale;
        testing_support::ControlOf<QPushButton>(*viewer_, "BitBtnStampa")->click();
        before.zoom = 1, before.ox = 0, before.oy = 0;  // printing shows the whole sheet afterwards
        ExpectSame(Now(), before);
        EXPECT_EQ(testing_support::DrawingStateOfTest().fontScale, fontScale);  // the screen's text keeps its size
        const std::string info = Shell("pdfinfo '" + pdf_ + "'");
        EXPECT_NE(info.find("Pages:           1"), std::string::npos) << info;
        const bool portrait = std::string(s.orientation) == "P";
        EXPECT_NE(info.find(portrait ? "595 x 842 pts (A4)" : "842 x 595 pts (A4)"), std::string::npos)
            << s.code << info;
        const std::string text = Shell("pdftotext '" + pdf_ + "' -");
        EXPECT_NE(text.find("Rossi Maria"), std::string::npos) << s.code;
        EXPECT_NE(text.find("GEBOORTE THEMA"), std::string::npos) << s.code;
        EXPECT_NE(text.find(s.caption), std::string::npos) << s.code << text;
        if (const char* keep = std::getenv("KELVOR_SHEET_SHOTS"))
            Shell("cp '" + pdf_ + "' '" + keep + "/sheet" + std::to_string(s.code) + ".pdf'");
        testing_support::DrawingStateOfTest().aspectScaleX = 1;
    }
    EXPECT_TRUE(sink_.messages.empty()) << sink_.messages[0].text;
}

// The PDF of a sheet is titled with the name as the archive holds it (38
// characters, blanks after it), without the blanks and with its letters whole.
TEST_F(SheetViewer, ThePrintedSheetIsTitledWithTheNameWithoutItsPadding) {
    testing_support::CurrentChartOfTest().birth.subjectName = std::string("NICCOL\xD2 ROSSI").append(38 - 14, ' ');
    Open(5, "P");
    testing_support::ControlOf<QPushButton>(*viewer_, "BitBtnStampa")->click();
    const std::string info = Shell("pdfinfo '" + pdf_ + "'");
    EXPECT_NE(info.find("Title:           Kelvor - NICCOL\xC3\x92 ROSSI\n"), std::string::npos) << info;
}

// The words of a PDF page with their boxes in points, as pdftotext finds them.
struct PdfWord {
    double xMin, yMin, xMax, yMax;
    std::string text;
};
struct PdfPage {
    double width = 0, height = 0;
    std::vector<PdfWord> words;
    const PdfWord* Find(const std::string& text) const {
        for (const PdfWord& w : words)
            if (w.text == text) return &w;
        return nullptr;
    }
};

PdfPage ReadPdfWords(const std::string& pdf) {
    const std::string html = Shell("pdftotext -bbox -f 1 -l 1 '" + pdf + "' -");
    PdfPage page;
    auto number = [&html](std::size_t from, const char* name) {
        const std::size_t at = html.find(name, from);
        return at == std::string::npos ? 0.0 : std::atof(html.c_str() + at + std::strlen(name));
    };
    const std::size_t pageAt = html.find("<page ");
    if (pageAt == std::string::npos) return page;
    page.width = number(pageAt, "width=\"");
    page.height = number(pageAt, "height=\"");
    for (std::size_t at = html.find("<word ", pageAt); at != std::string::npos; at = html.find("<word ", at + 1)) {
        PdfWord w{number(at, "xMin=\""), number(at, "yMin=\""), number(at, "xMax=\""), number(at, "yMax=\""), {}};
        const std::size_t open = html.find('>', at) + 1;
        w.text = html.substr(open, html.find("</word>", open) - open);
        page.words.push_back(w);
    }
    return page;
}

constexpr double kPointsPerMm = 72 / 25.4;

// Every word of each sheet lies at least 3 mm inside each edge of the A4 paper,
// as within a printer's printable area, and the sheets' last columns are whole.
TEST_F(SheetViewer, EveryWordOfEverySheetLiesInsideThePrintablePage) {
    const struct {
        int code;
        const char* orientation;
        std::vector<std::string> words;  // words that must be there whole
    } sheets[] = {{5, "P", {"BREEDTEGRADEN", "OPMERKING:", "dierenriemkaart", "Noord", "Zuid", "THEMA"}},
                  {16, "L", {"BREEDTEGRADEN", "OPMERKING:", "THEMA", "TERMEN", "DODECATEMORIEEN"}},
                  {17, "L", {"GESPIEGELDE", "AFFINITEITEN", "THEMA"}},
                  {18, "P", {"SPIEGEL", "Contrantisce)", "THEMA", "Bicorporaalen"}}};
    for (const auto& s : sheets) {
        Open(s.code, s.orientation);
        testing_support::ControlOf<QPushButton>(*viewer_, "BitBtnStampa")->click();
        const PdfPage page = ReadPdfWords(pdf_);
        ASSERT_GT(page.words.size(), 100u) << s.code;
        const double edge = 3 * kPointsPerMm;
        for (const PdfWord& w : page.words) {
            EXPECT_GE(w.xMin, edge) << s.code << " '" << w.text << "' left";
            EXPECT_GE(w.yMin, edge) << s.code << " '" << w.text << "' top";
            EXPECT_LE(w.xMax, page.width - edge) << s.code << " '" << w.text << "' right";
            EXPECT_LE(w.yMax, page.height - edge) << s.code << " '" << w.text << "' bottom";
        }
        for (const std::string& word : s.words) EXPECT_TRUE(page.Find(word)) << s.code << " " << word;
        if (const char* keep = std::getenv("KELVOR_SHEET_SHOTS"))
            Shell("cp '" + pdf_ + "' '" + keep + "/printed" + std::to_string(s.code) + ".pdf'");
    }
    EXPECT_TRUE(sink_.messages.empty()) << sink_.messages[0].text;
}

// No two words of a sheet overlap on paper (their boxes may share the cells'
// leading, at most 1.5 points), and the rulers' labels of neighbouring boxes
// of the archetypal structure stay apart.
TEST_F(SheetViewer, NoTwoWordsOfASheetOverlapOnPaper) {
    // The Sun in Leo and the Moon in Cancer: both rulers, in boxes side by side.
    wheel_test::SetWheelPoint(testing_support::CurrentChartOfTest().chart, 1, 135.25L);
    wheel_test::SetWheelPoint(testing_support::CurrentChartOfTest().chart, 2, 105.5L);
    testing_support::CurrentChartOfTest().chart.receptions =
        engine::ComputeReceptions(testing_support::CurrentChartOfTest().chart);
    const std::pair<int, const char*> sheets[] = {{5, "P"}, {16, "L"}, {17, "L"}, {18, "P"}};
    for (const auto& [code, orientation] : sheets) {
        Open(code, orientation);
        testing_support::ControlOf<QPushButton>(*viewer_, "BitBtnStampa")->click();
        const PdfPage page = ReadPdfWords(pdf_);
        ASSERT_GT(page.words.size(), 100u) << code;
        for (std::size_t i = 0; i < page.words.size(); ++i)
            for (std::size_t j = i + 1; j < page.words.size(); ++j) {
                const PdfWord &a = page.words[i], &b = page.words[j];
                const double across = std::min(a.xMax, b.xMax) - std::max(a.xMin, b.xMin);
                const double down = std::min(a.yMax, b.yMax) - std::max(a.yMin, b.yMin);
                EXPECT_FALSE(across > 0.5 && down > 1.5) << code << ": '" << a.text << "' and '" << b.text << "'";
            }
        if (const char* keep = std::getenv("KELVOR_SHEET_SHOTS"))
            Shell("cp '" + pdf_ + "' '" + keep + "/rulers" + std::to_string(code) + ".pdf'");
        if (code == 5 || code == 16) {
            int rulers = 0;
            for (const PdfWord& w : page.words) {
                rulers += w.text == "Heerser.";
                EXPECT_EQ(w.text.find("Heerser.Heerser."), std::string::npos) << code;
            }
            EXPECT_GE(rulers, 2) << code;
        }
    }
    EXPECT_TRUE(sink_.messages.empty()) << sink_.messages[0].text;
}

// A printer whose dialog, on closing, lets the viewer be activated again (as
// a window manager does), which sets the screen's portrait view at half size;
// until it is handed the viewer, a plain PDF printer.
class ActivatingPrinter : public display::PdfSheetPrinter {
public:
    using PdfSheetPrinter::PdfSheetPrinter;
    std::unique_ptr<display::SheetPrintJob> Begin(bool landscape, bool blank, const std::string& title) override {
        if (viewer_) viewer_->PrepareOpening();
        return PdfSheetPrinter::Begin(landscape, blank, title);
    }
    void Activate(display::SheetViewer* viewer) { viewer_ = viewer; }

private:
    display::SheetViewer* viewer_ = nullptr;
};

TEST_F(SheetViewer, APrintIsTheSameWhateverRunsWhileItsDialogCloses) {
    auto activating = std::make_unique<ActivatingPrinter>(pdf_);
    ActivatingPrinter* printer = activating.get();
    MakeViewer(std::move(activating));
    Open(5, "P");
    testing_support::ControlOf<QPushButton>(*viewer_, "BitBtnStampa")->click();
    const PdfPage plain = ReadPdfWords(pdf_);
    printer->Activate(viewer_.get());
    testing_support::ControlOf<QPushButton>(*viewer_, "BitBtnStampa")->click();
    const PdfPage activated = ReadPdfWords(pdf_);
    ASSERT_EQ(plain.words.size(), activated.words.size());
    for (const char* word : {"THEMA", "BREEDTEGRADEN", "OPMERKING:"}) {
        const PdfWord* a = plain.Find(word);
        const PdfWord* b = activated.Find(word);
        ASSERT_TRUE(a && b) << word;
        EXPECT_NEAR(a->xMin, b->xMin, 0.01) << word;
        EXPECT_NEAR(a->yMax, b->yMax, 0.01) << word;
    }
    // The sheet fills the page's width: its title stands in the right half.
    EXPECT_GT(plain.Find("THEMA")->xMax, plain.width * 0.75);
    // Afterwards the screen shows the whole sheet with text of the same size.
    EXPECT_EQ(testing_support::DrawingStateOfTest().zoomFactor, 1.0L);
    EXPECT_EQ(testing_support::DrawingStateOfTest().originX, 0);
}

TEST_F(SheetViewer, PrinterCorrectionPutsABlankPageFirst) {
    drawSettings_.Values().epsonCorrection = 1;
    Open(16, "L");
    testing_support::ControlOf<QPushButton>(*viewer_, "BitBtnStampa")->click();
    EXPECT_NE(Shell("pdfinfo '" + pdf_ + "'").find("Pages:           2"), std::string::npos);
    const std::string first = Shell("pdftotext -f 1 -l 1 '" + pdf_ + "' -");
    EXPECT_EQ(first.find("Rossi"), std::string::npos);
}

TEST_F(SheetViewer, BlackAndWhitePrintUsesBlackInkOnly) {
    Open(18, "P");
    testing_support::ControlOf<QPushButton>(*viewer_, "BitBtnColNer")->click();
    EXPECT_EQ(testing_support::ControlOf<QPushButton>(*viewer_, "BitBtnColNer")->property("glyph").toString(),
              "StNero");
    testing_support::ControlOf<QPushButton>(*viewer_, "BitBtnStampa")->click();
    const std::string png = (folder_.Path() / "page").string();
    Shell("pdftoppm -r 40 -png '" + pdf_ + "' '" + png + "'");
    QImage page(QString::fromStdString(png + "-1.png"));
    ASSERT_FALSE(page.isNull());
    int coloured = 0, ink = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x) {
            const QColor c = page.pixelColor(x, y);
            coloured += std::abs(c.red() - c.green()) > 24 || std::abs(c.green() - c.blue()) > 24;
            ink += c.lightness() < 128;
        }
    EXPECT_EQ(coloured, 0);
    EXPECT_GT(ink, 500);
    viewer_->close();
    EXPECT_FALSE(testing_support::DrawingStateOfTest().blackAndWhite);  // closing goes back to colour
}

// A printer whose job starts after the year rulers' table went missing: the
// screen was drawn, the sheet on paper fails half-way.
class FailingPrinter : public display::PdfSheetPrinter {
public:
    using PdfSheetPrinter::PdfSheetPrinter;
    std::unique_ptr<display::SheetPrintJob> Begin(bool landscape, bool blank, const std::string& title) override {
        std::filesystem::remove_all("Appoggio");
        return PdfSheetPrinter::Begin(landscape, blank, title);
    }
};

TEST_F(SheetViewer, FailedPrintEndsTheJobAndPutsTheStateBack) {
    MakeViewer(std::make_unique<FailingPrinter>(pdf_));
    Open(5, "P");
    Scale before = Now();
    before.zoom = 1, before.ox = 0, before.oy = 0;
    testing_support::ControlOf<QPushButton>(*viewer_, "BitBtnStampa")->click();
    ASSERT_EQ(sink_.messages.size(), 1u);
    ExpectSame(Now(), before);
    EXPECT_TRUE(std::filesystem::exists(pdf_));  // the document was ended
    EXPECT_FALSE(testing_support::DrawingStateOfTest().currentPen.has_value());
}

TEST_F(SheetViewer, SheetsSavedAsMetafilesReadBackWhole) {
    const std::pair<int, const char*> sheets[] = {{5, "P"}, {16, "L"}, {17, "L"}, {18, "P"}};
    display::SheetMemory memory;  // what the sheets keep between drawings, as the viewer's
    int n = 0;
    for (const auto& [code, orientation] : sheets) {
        Open(code, orientation);
        const std::string name = "GRAF0" + std::to_string(++n) + ".EMF";
        testing_support::ControlOf<QComboBox>(*viewer_, "ComboEMF")->setEditText(QString::fromStdString(name));
        testing_support::ControlOf<QPushButton>(*viewer_, "BitBtnZoomPiu")->click();
        testing_support::ControlOf<QPushButton>(*viewer_, "BBEMFout")->click();
        EXPECT_TRUE(sink_.messages.empty()) << code;
        const auto file = folder_.Path() / "Emf" / name;
        ASSERT_TRUE(std::filesystem::exists(file)) << code;
        const std::string bytes = testing_support::ReadBytes(file);
        EXPECT_EQ(display::CheckEmf(bytes), "") << code;
        EXPECT_EQ(display::ReadChartOrientations().substr(n - 1, 1), orientation) << code;
        // Exported at zoom 1 at the origin, as on paper; the screen shows the same view.
        EXPECT_EQ(testing_support::DrawingStateOfTest().zoomFactor, 1.0L);
        EXPECT_EQ(testing_support::DrawingStateOfTest().originX, 0);

        // The same sheet drawn on a recording surface on paper, as the metafile is.
        display::RecordingSurface direct{testing_support::DrawingStateOfTest()};
        direct.SetOutputMedium(display::Medium::Paper);
        display::ComposeSheet(code, direct, testing_support::CurrentChartOfTest(), memory);
        // Our player gives back every line and every text.
        display::RecordingSurface replay{testing_support::DrawingStateOfTest()};
        ASSERT_TRUE(display::PlayEmf(bytes, replay, {0, 0, 1920, 1080}));
        auto written = [](const display::RecordingSurface& dc) {  // an empty text leaves no record
            std::vector<std::string> t = sheet_test::Texts(dc);
            t.erase(std::remove(t.begin(), t.end(), std::string()), t.end());
            return t;
        };
        const auto a = written(replay), b = written(direct);
        EXPECT_EQ(a.size(), b.size()) << code;
        for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i)
            if (a[i] != b[i]) {
                ADD_FAILURE() << code << " text " << i << ": '" << a[i] << "' against '" << b[i] << "'";
                break;
            }
        EXPECT_EQ(replay.Calls("line").size(), direct.Calls("line").size()) << code;
        // The external converter reads it too.
        const std::string svg = (folder_.Path() / "sheet.svg").string();
        EXPECT_EQ(std::system(("emf2svg-conv -i '" + file.string() + "' -o '" + svg + "' 2>/dev/null").c_str()), 0);
        std::ifstream in(svg);
        std::stringstream content;
        content << in.rdbuf();
        EXPECT_NE(content.str().find("Rossi Maria"), std::string::npos) << code;
        const QMimeData* clip = QApplication::clipboard()->mimeData();
        ASSERT_NE(clip, nullptr);
        EXPECT_EQ(clip->data("image/emf").size(), static_cast<qsizetype>(bytes.size()));
    }
}

// A screen of the given size.
class SizedScreen : public gui::SystemServices {
public:
    explicit SizedScreen(QSize size) : size_(size) {}
    int ScreenWidth() override { return size_.width(); }
    int ScreenHeight() override { return size_.height(); }

private:
    QSize size_;
};

// On a wide screen, a 5:4 one and a 4:3 one a sheet of either orientation
// lies on the screen with its page frame, and so does every button of the
// bar; the landscape sheet saved as a metafile measures the same in
// millimetres whichever screen it was made on.
TEST_F(SheetViewer, SheetsAndButtonsLieOnScreensOfEveryShape) {
    std::vector<int> frameWidths;  // 0.01 mm
    for (const QSize screen : {QSize(1920, 1080), QSize(1280, 1024), QSize(1024, 768)}) {
        SCOPED_TRACE(std::to_string(screen.width()) + "x" + std::to_string(screen.height()));
        gui::SetSystemServices(std::make_unique<SizedScreen>(screen));
        display::InitDrawingFromScreen(testing_support::DrawingStateOfTest(), screen.width(), screen.height());
        viewer_->resize(screen);
        for (const auto& [code, orientation] : {std::pair{5, "P"}, std::pair{16, "L"}}) {
            display::RecordingSurface drawn{testing_support::DrawingStateOfTest()};
            viewer_->SetRecorder(&drawn);
            Open(code, orientation);
            viewer_->SetRecorder(nullptr);
            EXPECT_GT(drawn.Calls("line").size(), 100u) << code;
            EXPECT_EQ(screen_extent::CallsOffScreen(drawn, screen.width(), screen.height()), std::vector<std::string>{})
                << code;
            for (const QPushButton* b :
                 testing_support::ControlOf<QFrame>(*viewer_, "Panel1")->findChildren<QPushButton*>()) {
                const QRect r(b->mapTo(viewer_.get(), QPoint(0, 0)), b->size());
                EXPECT_TRUE(QRect(QPoint(0, 0), screen).contains(r)) << b->objectName().toStdString();
            }
        }
        const long double screenScale = testing_support::DrawingStateOfTest().pixelsPerUnit;
        testing_support::ControlOf<QComboBox>(*viewer_, "ComboEMF")->setEditText("GRAF06.EMF");
        testing_support::ControlOf<QPushButton>(*viewer_, "BBEMFout")->click();
        EXPECT_TRUE(sink_.messages.empty());
        EXPECT_EQ(testing_support::DrawingStateOfTest().pixelsPerUnit, screenScale);  // the screen's scale is back
        const auto header = display::ReadEmfHeader(testing_support::ReadBytes(folder_.Path() / "Emf" / "GRAF06.EMF"));
        ASSERT_TRUE(header.has_value());
        frameWidths.push_back(header->frame.right - header->frame.left);
    }
    ASSERT_EQ(frameWidths.size(), 3u);
    EXPECT_GT(frameWidths[0], 25000);  // a landscape sheet, some 270 mm wide
    EXPECT_NEAR(frameWidths[1], frameWidths[0], frameWidths[0] / 200);
    EXPECT_NEAR(frameWidths[2], frameWidths[0], frameWidths[0] / 200);
}

TEST_F(SheetViewer, BadMetafileNameIsRefusedAndAFailedSaveLeavesNoFile) {
    Open(5, "P");
    testing_support::ControlOf<QComboBox>(*viewer_, "ComboEMF")->setEditText("GRAF04.EMX");
    testing_support::ControlOf<QPushButton>(*viewer_, "BBEMFout")->click();
    ASSERT_EQ(sink_.Texts(), std::vector<std::string>{"File deve essere .EMF"});
    EXPECT_FALSE(std::filesystem::exists(folder_.Path() / "Emf" / "GRAF04.EMX"));
    testing_support::ControlOf<QComboBox>(*viewer_, "ComboEMF")->setEditText("GRAF04.EMF");
    std::filesystem::remove_all("Appoggio");
    const Scale before = Now();
    testing_support::ControlOf<QPushButton>(*viewer_, "BBEMFout")->click();
    EXPECT_EQ(sink_.messages.size(), 2u);
    EXPECT_FALSE(std::filesystem::exists(folder_.Path() / "Emf" / "GRAF04.EMF"));
    EXPECT_EQ(testing_support::WheelGeometryOfTest().wheelCentreX, before.cx);
}

// A name with a character no file name of the program can hold is refused
// as typed: no file is saved under "?" in its place, and the name in use stays.
TEST_F(SheetViewer, AMetafileNameWithACharacterTheProgramCannotHoldIsRefused) {
    Open(5, "P");
    testing_support::ControlOf<QComboBox>(*viewer_, "ComboEMF")
        ->setEditText(QString::fromUtf8("GRAF03\xF0\x9F\x98\x80.EMF"));
    testing_support::ControlOf<QPushButton>(*viewer_, "BBEMFout")->click();
    ASSERT_EQ(sink_.messages.size(), 1u);
    EXPECT_NE(sink_.messages[0].text.find("(U+1F600)"), std::string::npos) << sink_.messages[0].text;
    EXPECT_FALSE(std::filesystem::exists(folder_.Path() / "Emf" / "GRAF03?.EMF"));
    EXPECT_EQ(testing_support::ControlOf<QComboBox>(*viewer_, "ComboEMF")->currentText(),
              QString::fromUtf8("GRAF03\xF0\x9F\x98\x80.EMF"));
    EXPECT_NE(testing_support::DrawingStateOfTest().metafileName, "GRAF03?.EMF");
}

// A metafile name typed in lower case is its upper-case form at the first
// press; a metafile that is not there is named, and no viewer opens.
TEST_F(SheetViewer, MetafileNamesAreTakenInUpperCaseAndAMissingOneIsNamed) {
    Open(5, "P");
    testing_support::ControlOf<QComboBox>(*viewer_, "ComboEMF")->setEditText("graf02.emf");
    testing_support::ControlOf<QPushButton>(*viewer_, "BBEMFout")->click();
    EXPECT_TRUE(sink_.messages.empty()) << sink_.messages[0].text;
    EXPECT_EQ(testing_support::ControlOf<QComboBox>(*viewer_, "ComboEMF")->currentText(), "GRAF02.EMF");
    EXPECT_TRUE(std::filesystem::exists(folder_.Path() / "Emf" / "GRAF02.EMF"));

    std::string shownTitle;
    gui::SetModalHandler("FoMetGra", [&](QDialog* d) {
        auto* w = static_cast<display::MetafileViewer*>(d);
        w->ShowCurrentFile();
        EXPECT_FALSE(w->FileMissing());
        shownTitle = w->windowTitle().toStdString();
        return int(gui::kModalCancel);
    });
    testing_support::ControlOf<QComboBox>(*viewer_, "ComboEMF")->setEditText("graf02.emf");
    testing_support::ControlOf<QPushButton>(*viewer_, "BBEMFin")->click();
    EXPECT_EQ(shownTitle, std::filesystem::canonical(folder_.Path() / "Emf" / "GRAF02.EMF").string());
    EXPECT_TRUE(sink_.messages.empty());

    shownTitle.clear();
    testing_support::ControlOf<QComboBox>(*viewer_, "ComboEMF")->setEditText("graf09.emf");
    testing_support::ControlOf<QPushButton>(*viewer_, "BBEMFin")->click();
    EXPECT_TRUE(shownTitle.empty());  // nothing to show: no viewer
    ASSERT_EQ(sink_.messages.size(), 1u);
    EXPECT_EQ(sink_.messages[0].text, "File grafico non trovato: " +
                                          (std::filesystem::canonical(folder_.Path()) / "Emf" / "GRAF09.EMF").string());
    gui::ClearModalHandlers();
}

TEST_F(SheetViewer, WheelAndDragMoveTheSheet) {
    Open(16, "L");
    viewer_->ScrollDown();
    EXPECT_EQ(testing_support::DrawingStateOfTest().originY, 20);
    viewer_->ScrollUp();
    viewer_->ScrollUp();
    EXPECT_EQ(testing_support::DrawingStateOfTest().originY, -20);
    viewer_->StartDrag(500, 500);
    viewer_->DragTo(560, 501);
    EXPECT_EQ(testing_support::DrawingStateOfTest().originX, 0);  // previewed only
    viewer_->EndDrag(560, 501);
    EXPECT_EQ(testing_support::DrawingStateOfTest().originX, 60);
    EXPECT_EQ(testing_support::DrawingStateOfTest().originY, -20);
    testing_support::ControlOf<QPushButton>(*viewer_, "BBlargarghezza")->click();
    EXPECT_EQ(testing_support::DrawingStateOfTest().originX, 0);
    EXPECT_EQ(testing_support::DrawingStateOfTest().originY, 0);
    testing_support::ControlOf<QPushButton>(*viewer_, "BBFlagRiga")->click();
    EXPECT_EQ(testing_support::DrawingStateOfTest().aspectLinesOn, 0);
    EXPECT_EQ(testing_support::ControlOf<QPushButton>(*viewer_, "BBFlagRiga")->property("glyph").toString(), "LosLin");
    if (const char* keep = std::getenv("KELVOR_SHEET_SHOTS"))
        viewer_->Snapshot().save(QString("%1/viewer16.png").arg(keep));
}

}  // namespace

namespace {

// Screenshots of the viewer with each sheet, for looking at (run under a
// virtual display with KELVOR_SHEET_SHOTS naming a folder).
TEST_F(SheetViewer, Screenshots) {
    const char* keep = std::getenv("KELVOR_SHEET_SHOTS");
    if (!keep) GTEST_SKIP() << "KELVOR_SHEET_SHOTS not set";
    for (const auto& [code, orientation] :
         std::vector<std::pair<int, const char*>>{{5, "P"}, {16, "L"}, {17, "L"}, {18, "P"}}) {
        Open(code, orientation);
        QApplication::processEvents();
        viewer_->grab().save(QString("%1/viewer-sheet%2.png").arg(keep).arg(code));
    }
    EXPECT_TRUE(sink_.messages.empty());
}

}  // namespace

}  // namespace sheet_viewer_test
