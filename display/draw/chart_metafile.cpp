#include "display/draw/chart_metafile.h"

#include <QWidget>
#include <vector>

#include "display/draw/drawing_state.h"
#include "display/draw/emf_recorder.h"
#include "platform/runtime/paths.h"
#include "platform/runtime/record_file.h"
#include "platform/runtime/text_file.h"

namespace display {

namespace {


// The first character of each of the 15 lines, as read: never written back.
// A missing file or line reads as "L", the landscape the program starts with;
// an empty line as a blank.
std::string OrientationLetters() {
    std::vector<std::string> lines;
    if (rt::PathExists(kOrientationFile)) lines = rt::ReadTextLines(kOrientationFile);
    std::string letters(kChartTypes, 'L');
    for (std::size_t i = 0; i < lines.size() && i < letters.size(); ++i)
        letters[i] = lines[i].empty() ? ' ' : lines[i][0];
    return letters;
}

}  // namespace

int ChartTypeOfName(std::string_view name) {
    if (name.size() < 6) return 0;
    const char a = name[4], b = name[5];
    if (a < '0' || a > '9' || b < '0' || b > '9') return 0;
    const int type = (a - '0') * 10 + (b - '0');
    return type >= 1 && type <= kChartTypes ? type : 0;
}

std::string CheckChartMetafileName(std::string_view name) {
    if (name.empty()) return "Nome del file mancante";
    if (name.find_first_of("\\/:") != std::string_view::npos || name.find("..") != std::string_view::npos ||
        name.find('\0') != std::string_view::npos)
        return "Il nome del file non deve contenere cartelle";
    if (ChartTypeOfName(name) == 0)
        return "Il nome del file deve avere il numero del grafico (01-15) nei caratteri 5 e 6";
    return {};
}

std::string ReadChartOrientations() { return OrientationLetters(); }

bool SaveChartOrientation(const DrawingState& drawing, std::string_view name) {
    if (!CheckChartMetafileName(name).empty()) return false;
    const int type = ChartTypeOfName(name);
    std::string letters = OrientationLetters();
    letters[type - 1] = (!drawing.printerPresent || drawing.printerLandscape) ? 'L' : 'P';
    std::vector<std::string> lines;
    for (char c : letters) lines.emplace_back(c == ' ' ? std::string() : std::string(1, c));
    rt::EnsureParentFolder(kOrientationFile);
    rt::ReplaceTextLines(kOrientationFile, lines);
    return true;
}

void ViewerSizeFor(char orientation, long double screenAspect, int& width, int& height) {
    const bool wide = screenAspect > 0.62L && screenAspect < 0.63L;
    if (orientation == 'L') {
        width = wide ? 755 : 660;
        height = 510;
    } else {
        width = wide ? 525 : 450;
        height = 680;
    }
}

char ApplyChartOrientation(const DrawingState& drawing, std::string_view name, QWidget* viewer) {
    const int type = ChartTypeOfName(name);
    if (type == 0) return 0;
    // "L" is landscape; any other letter is the portrait size.
    const char letter = OrientationLetters()[type - 1] == 'L' ? 'L' : 'P';
    int w = 0, h = 0;
    ViewerSizeFor(letter, drawing.screenAspect, w, h);
    if (viewer) viewer->resize(w, h);
    return letter;
}

std::unique_ptr<EmfRecorder> BeginChartMetafile(DrawingState& drawing, std::string_view name) {
    if (!CheckChartMetafileName(name).empty()) return nullptr;
    // The screen is the reference device; 210 page units (millimetres) span its height.
    EmfDevice device;
    device.widthPx = std::max(1, drawing.screenWidth);
    device.heightPx = std::max(1, drawing.screenHeight);
    device.heightMm = 210;
    device.widthMm = std::max(1, static_cast<int>(210.0 * device.widthPx / device.heightPx + 0.5));
    auto recorder = std::make_unique<EmfRecorder>(device);
    recorder->UseDrawingState(drawing);
    recorder->SetOutputMedium(Medium::Paper);
    if (drawing.printerPresent)
        recorder->SetFrameHeight(drawing.printerLandscape ? drawing.screenHeight : 2 * drawing.screenHeight);
    static constexpr char16_t kDescription[] = u"Kelvor\0Grafico";  // two texts, each ended by a zero
    recorder->SetDescription(std::u16string(kDescription, std::size(kDescription) - 1));
    return recorder;
}

void EndChartMetafile(std::unique_ptr<EmfRecorder> recorder, std::string_view name) {
    if (!recorder) return;
    const std::string& bytes = recorder->Finish();
    const std::string path = std::string("Emf\\") + std::string(name);
    rt::EnsureParentFolder(path);
    rt::ReplaceFileBytes(path, bytes);
}

}  // namespace display
