// The natal wheel recorded as an enhanced metafile, as other programs read it:
// sound object handling record by record, and every line and circle of the
// wheel at its place when an external converter turns it into SVG.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <regex>
#include <sstream>

#include "display/draw/emf_recorder.h"
#include "display/draw/glyphs.h"
#include "display/draw/recording_surface.h"
#include "display/wheel/natal_wheel.h"
#include "display/wheel/position_files.h"
#include "display/wheel/wheel_points.h"
#include "display/wheel/wheel_reports.h"
#include "platform/gui/message_box.h"
#include "tests/common/chart_window_of_test.h"
#include "tests/common/drawing_state_of_test.h"
#include "tests/common/test_support.h"
#include "tests/display/draw/emf_check.h"
#include "tests/display/wheel/wheel_person.h"

namespace {

class WheelMetafile : public ::testing::Test {
protected:
    void SetUp() override {
        wheel_test::SetFixedPerson();
        testing_support::NatalWheelOfTest().fileErrors = {};
        display::ResetMissingGlyphReports(testing_support::DrawingStateOfTest());
        display::SetSignMidpoints(testing_support::NatalWheelOfTest());
        wheel_test::CopyDataFolders({"Simboli", "Zodiaco"});
    }
    std::string RecordWheel() {
        display::EmfRecorder emf(display::EmfDevice{1920, 1080, 384, 216});
        emf.UseDrawingState(testing_support::DrawingStateOfTest());
        emf.SetFrame({0, 0, 1920, 1080});
        display::DrawNatalChart(emf, testing_support::CurrentChartOfTest(), testing_support::NatalWheelOfTest());
        return emf.Finish();
    }
    testing_support::TempWorkFolder folder_;
    gui::RecordingMessageSink sink_;
};

// The lines and ellipses of an SVG file at their place on the page: each
// element's coordinates through the transforms of the groups around it.
struct SvgShapes {
    std::vector<std::array<double, 4>> lines;     // x1, y1, x2, y2
    std::vector<std::array<double, 4>> ellipses;  // cx, cy, rx, ry
};

SvgShapes ReadSvgShapes(const std::string& svg) {
    struct M {
        double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;
        M Then(const M& in) const {  // this after `in`
            return {a * in.a + c * in.b, b * in.a + d * in.b,     a * in.c + c * in.d,
                    b * in.c + d * in.d, a * in.e + c * in.f + e, b * in.e + d * in.f + f};
        }
        std::pair<double, double> Apply(double x, double y) const { return {a * x + c * y + e, b * x + d * y + f}; }
    };
    std::vector<M> stack{M{}};
    SvgShapes out;
    static const std::regex kTag(R"re(<(/?)(g|path|ellipse)\b([^>]*)>)re");
    static const std::regex kTranslate(R"re(translate\(\s*([-\d.]+)[ ,]+([-\d.]+)\s*\))re");
    static const std::regex kMatrix(R"re(matrix\(([-\d.]+) ([-\d.]+) ([-\d.]+) ([-\d.]+) ([-\d.]+) ([-\d.]+)\))re");
    static const std::regex kLine(R"re(d="M ([-\d.]+),([-\d.]+) L ([-\d.]+),([-\d.]+) ")re");
    static const std::regex kEllipse(R"re(cx="([-\d.]+)" cy="([-\d.]+)" rx="([-\d.]+)" ry="([-\d.]+)")re");
    for (auto it = std::sregex_iterator(svg.begin(), svg.end(), kTag); it != std::sregex_iterator(); ++it) {
        const std::smatch& t = *it;
        const std::string attrs = t[3];
        std::smatch m;
        if (t[2] == "g") {
            if (t[1] == "/") {
                if (stack.size() > 1) stack.pop_back();
                continue;
            }
            M g;
            if (std::regex_search(attrs, m, kTranslate)) {
                g.e = std::stod(m[1]);
                g.f = std::stod(m[2]);
            } else if (std::regex_search(attrs, m, kMatrix)) {
                g = {std::stod(m[1]), std::stod(m[2]), std::stod(m[3]),
                     std::stod(m[4]), std::stod(m[5]), std::stod(m[6])};
            }
            stack.push_back(stack.back().Then(g));
            continue;
        }
        const M& now = stack.back();
        if (t[2] == "path" && std::regex_search(attrs, m, kLine)) {
            auto [x1, y1] = now.Apply(std::stod(m[1]), std::stod(m[2]));
            auto [x2, y2] = now.Apply(std::stod(m[3]), std::stod(m[4]));
            out.lines.push_back({x1, y1, x2, y2});
        } else if (t[2] == "ellipse" && std::regex_search(attrs, m, kEllipse)) {
            auto [cx, cy] = now.Apply(std::stod(m[1]), std::stod(m[2]));
            out.ellipses.push_back({cx, cy, std::stod(m[3]) * now.a, std::stod(m[4]) * now.d});
        }
    }
    return out;
}

// The numbers of a log line of the recording surface, in order.
std::vector<double> Numbers(const std::string& text) {
    std::vector<double> v;
    static const std::regex kNumber(R"re(-?\d+)re");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), kNumber); it != std::sregex_iterator(); ++it)
        v.push_back(std::stod(it->str()));
    return v;
}

}  // namespace

TEST_F(WheelMetafile, ObjectsAreNeverDeletedWhileSelectedAndTransformsAreExplicit) {
    const std::string bytes = RecordWheel();
    const std::vector<std::string> faults = emf_check::Faults(bytes);
    EXPECT_TRUE(faults.empty()) << faults.size() << " faults, first: " << faults.front();
    EXPECT_TRUE(sink_.messages.empty());
}

TEST_F(WheelMetafile, AnExternalConverterDrawsEveryLineAndCircleAtItsPlace) {
    if (std::system("command -v emf2svg-conv >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "emf2svg-conv missing (scripts/install-deps installs it)";
    testing_support::WriteBytes(folder_.Path() / "wheel.emf", RecordWheel());
    const std::string cmd = "emf2svg-conv -i '" + (folder_.Path() / "wheel.emf").string() + "' -o '" +
                            (folder_.Path() / "wheel.svg").string() + "' 2>/dev/null";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    const std::string svg = testing_support::ReadBytes(folder_.Path() / "wheel.svg");
    if (const char* out = std::getenv("KELVOR_WHEEL_SVG")) testing_support::WriteBytes(out, svg);
    const SvgShapes shapes = ReadSvgShapes(svg);
    // The page is cropped to the drawing: its first group moves it by the bounds' corner.
    std::smatch corner;
    ASSERT_TRUE(std::regex_search(svg, corner, std::regex(R"re(translate\(([-\d.]+), ([-\d.]+)\))re")));
    const double dx = std::stod(corner[1]), dy = std::stod(corner[2]);

    // The same wheel on the recording surface: what should be there.
    display::RecordingSurface dc{testing_support::DrawingStateOfTest()};
    wheel_test::SetFixedPerson();
    display::SetSignMidpoints(testing_support::NatalWheelOfTest());
    display::DrawNatalChart(dc, testing_support::CurrentChartOfTest(), testing_support::NatalWheelOfTest());
    const std::vector<std::string> lines = dc.Calls("line");
    std::vector<std::string> circles = dc.Calls("ellipse");
    for (const std::string& arc : dc.Calls("arc")) {
        const std::vector<double> n = Numbers(arc.substr(0, arc.find(" pen=")));
        if (n.size() == 8 && n[4] == n[6] && n[5] == n[7]) circles.push_back(arc);
    }
    ASSERT_GT(lines.size(), 100u);
    ASSERT_GT(circles.size(), 40u);
    int missingLines = 0, missingCircles = 0;
    for (const std::string& l : lines) {
        const std::vector<double> n = Numbers(l.substr(0, l.find(" pen=")));
        const bool found = std::any_of(shapes.lines.begin(), shapes.lines.end(), [&](const auto& s) {
            auto near = [&](double x1, double y1, double x2, double y2) {
                return std::abs(s[0] - x1) <= 1.5 && std::abs(s[1] - y1) <= 1.5 && std::abs(s[2] - x2) <= 1.5 &&
                       std::abs(s[3] - y2) <= 1.5;
            };
            return near(n[0] + dx, n[1] + dy, n[2] + dx, n[3] + dy) || near(n[2] + dx, n[3] + dy, n[0] + dx, n[1] + dy);
        });
        if (!found && ++missingLines <= 3) ADD_FAILURE() << "not at its place: " << l;
    }
    for (const std::string& c : circles) {
        const std::vector<double> n = Numbers(c.substr(0, c.find(" pen=")));
        const double cx = (n[0] + n[2]) / 2 + dx, cy = (n[1] + n[3]) / 2 + dy;
        const double rx = (n[2] - n[0]) / 2, ry = (n[3] - n[1]) / 2;
        const bool found = std::any_of(shapes.ellipses.begin(), shapes.ellipses.end(), [&](const auto& s) {
            return std::abs(s[0] - cx) <= 1.5 && std::abs(s[1] - cy) <= 1.5 && std::abs(s[2] - rx) <= 1.5 &&
                   std::abs(s[3] - ry) <= 1.5;
        });
        if (!found && ++missingCircles <= 3) ADD_FAILURE() << "not at its place: " << c;
    }
    EXPECT_EQ(missingLines, 0) << "of " << lines.size() << " lines";
    EXPECT_EQ(missingCircles, 0) << "of " << circles.size() << " circles";
}
