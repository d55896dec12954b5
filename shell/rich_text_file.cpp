#include "shell/rich_text_file.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "platform/runtime/io_error.h"
#include "platform/runtime/paths.h"
#include "platform/runtime/record_file.h"
#include "platform/runtime/text_file.h"
#include "platform/runtime/win1252.h"

namespace fs = std::filesystem;

namespace shell {

namespace {

constexpr double kRulerScale = 4.0 / 3.0;
constexpr int kFileGutter = 6;

int Trunc(double x) { return static_cast<int>(std::trunc(x)); }

}  // namespace

std::string LoadPlainText(const fs::path& path) {
    std::error_code ec;
    if (fs::is_directory(path, ec)) throw rt::IoError(rt::kAccessDenied, path.string());
    std::ifstream in(path, std::ios::binary);
    if (!in) throw rt::IoError(rt::IoCodeFromErrno(errno), path.string());
    const auto size = fs::file_size(path, ec);
    if (!ec && size > kLargestShownText) throw TextNotShownError(path, size);
    std::ostringstream raw;
    raw << in.rdbuf();
    if (in.bad()) throw rt::IoError(rt::kReadBeyondEnd, path.string());
    std::string bytes = raw.str();
    // A person's text is read whole: a Ctrl-Z inside it is a character of the
    // text; only one that ends the file is the old end-of-text mark.
    if (!bytes.empty() && bytes.back() == '\x1A') bytes.pop_back();
    std::string text;
    text.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        char c = bytes[i];
        if (c == '\r') {
            text += '\n';
            if (i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        } else {
            text += c;
        }
    }
    return text;
}

TextNotShownError::TextNotShownError(const fs::path& path, std::uintmax_t size)
    : std::runtime_error("Il file \"" + rt::Utf8ToCp1252(path.string()) + "\" (" + std::to_string(size) +
                         " byte) \xE8 troppo grande per essere mostrato intero nell'editor: non \xE8 stato aperto "
                         "e resta com'\xE8.") {}

void SavePlainText(const fs::path& path, const std::string& text) {
    std::string bytes;
    bytes.reserve(text.size() + text.size() / 16);
    for (char c : text) {
        if (c == '\n')
            bytes += "\r\n";
        else
            bytes += c;
    }
    rt::ReplaceWholeFile(path, bytes, rt::Utf8ToCp1252(path.string()));
}

std::string ReadEditFileHandOff() {
    if (!rt::PathExists(kEditFileHandOff)) return {};
    std::vector<std::string> lines = rt::ReadTextLines(kEditFileHandOff);
    return lines.empty() ? std::string() : lines[0];
}

fs::path HandOffPath(const std::string& line) {
    std::string name = line;
    while (!name.empty() && (name.back() == ' ' || name.back() == '\t')) name.pop_back();
    return rt::ResolvePath(name);
}

std::string CaptionForFile(const fs::path& path) {
    std::string name = path.filename().string();
    if (name.rfind("TAB", 0) == 0 || name.rfind("Tema", 0) == 0) {
        std::error_code ec;
        fs::path full = fs::absolute(path, ec);
        return (ec ? path : full).string() + "   ";
    }
    return name + "   ";
}

std::string CursorPositionText(int line, int column) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "Line: %3d   Col: %3d", line, column);
    return buf;
}

RulerMarkers MarkersForIndents(ParagraphIndents indents, int rulerClientWidth) {
    const double first = indents.first;
    const double left = indents.left;
    const double right = indents.right;
    RulerMarkers m;
    m.firstLeft = Trunc(first * kRulerScale) + 2;
    m.leftLeft = Trunc((left + first) * kRulerScale) + 2;
    m.rightLeft = rulerClientWidth - kFileGutter - Trunc((right + kFileGutter) * kRulerScale);
    return m;
}

int FirstIndentFromMarker(MarkerDrop drop) {
    return Trunc((drop.markerLeft + drop.dragOffset - kFileGutter) / kRulerScale);
}

int LeftIndentFromMarker(MarkerDrop drop, int firstIndent) {
    return Trunc((drop.markerLeft + drop.dragOffset - kFileGutter) / kRulerScale) - firstIndent;
}

int RightIndentFromMarker(MarkerDrop drop, int rulerClientWidth) {
    return Trunc((rulerClientWidth - drop.markerLeft + drop.dragOffset - 2) / kRulerScale) - 12;
}

std::string SaveChangesQuestion(const std::string& fileName) { return "Save changes to " + fileName + "?"; }

std::string OverwriteQuestion(const std::string& fileName) { return "OK to overwrite " + fileName; }

std::string UnsavableTextMessage(const std::string& foreign) {
    return "Il testo contiene caratteri che il file non pu\xF2 registrare (" + foreign +
           "): toglierli o scriverli con altre lettere. Il testo non \xE8 stato salvato.";
}

}  // namespace shell
