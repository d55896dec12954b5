#pragma once
// Plain-text files of the person's-text editor and the small computations of its
// ruler, caption and status bar. No widgets here.
#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace shell {

// The hand-off file whose first line names the file the editor opens.
inline constexpr const char* kEditFileHandOff = "FileDum\\DatModif.dum";
// Initial folder of the editor's open and save dialogs.
inline constexpr const char* kOwnTextsFolder = "MieiTesti";
inline constexpr const char* kUntitled = "Untitled";

// The largest file the editor shows (a person's text is a few pages).
inline constexpr std::uintmax_t kLargestShownText = 16u * 1024u * 1024u;

// A file the editor cannot show whole, and therefore does not open.
class TextNotShownError : public std::runtime_error {
public:
    TextNotShownError(const std::filesystem::path& path, std::uintmax_t size);
};

// The whole file as Windows-1252 text with "\n" line ends (CR LF, a lone CR or a
// lone LF each end a line). Every byte is kept: a Ctrl-Z byte inside the text is
// a character of it, only a Ctrl-Z that ends the file is dropped as the old
// end-of-text mark. IoError when the file cannot be read (with the run-time's
// code of what is the case), TextNotShownError when it is larger than
// kLargestShownText.
std::string LoadPlainText(const std::filesystem::path& path);

// Writes Windows-1252 text with every "\n" as CR LF, through a temporary file
// renamed over the old one. IoError when the file cannot be written.
void SavePlainText(const std::filesystem::path& path, const std::string& text);

// Line 1 of "FileDum\DatModif.dum" (empty when the file is missing or empty).
std::string ReadEditFileHandOff();

// The file named by a hand-off line: the program's relative names ("BASEtxt/00012.txt",
// "MieiTesti\Tema.txt") resolved in the working folder, absolute names as they stand.
std::filesystem::path HandOffPath(const std::string& line);

// Caption of the window for a file: its name without folders followed by three
// blanks; files whose names begin with "TAB" or "Tema" show their full path.
std::string CaptionForFile(const std::filesystem::path& path);

// Status text of the cursor position: "Line: %3d   Col: %3d".
std::string CursorPositionText(int line, int column);

// Ruler arithmetic: 4/3 ruler pixels per text unit and a 6-pixel gutter.
struct RulerMarkers {
    int firstLeft = 0;
    int leftLeft = 0;
    int rightLeft = 0;
};
// A paragraph's indents in text units: the first line's, the other lines'
// beyond the first line's, and the right one.
struct ParagraphIndents {
    int first = 0;
    int left = 0;
    int right = 0;
};
// A marker let go: its left edge and where in it the mouse held it.
struct MarkerDrop {
    int markerLeft = 0;
    int dragOffset = 0;
};
RulerMarkers MarkersForIndents(ParagraphIndents indents, int rulerClientWidth);
int FirstIndentFromMarker(MarkerDrop drop);
int LeftIndentFromMarker(MarkerDrop drop, int firstIndent);
int RightIndentFromMarker(MarkerDrop drop, int rulerClientWidth);

// "Save changes to %s?" and "OK to overwrite %s" with the name filled in.
std::string SaveChangesQuestion(const std::string& fileName);
std::string OverwriteQuestion(const std::string& fileName);
// Why a text holding characters a Windows-1252 file has no code for (named by
// their codes in `foreign`, "U+1F600") is not saved.
std::string UnsavableTextMessage(const std::string& foreign);

}  // namespace shell
