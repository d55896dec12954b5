#pragma once
// Text files as the old run-time read and wrote them: Windows-1252 bytes, CR LF
// line ends, a Ctrl-Z byte ends the text on reading.
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace rt {

class TextFile {
public:
    TextFile() = default;
    ~TextFile();
    TextFile(const TextFile&) = delete;
    TextFile& operator=(const TextFile&) = delete;

    // Names the file (a program file name, resolved by ResolvePath at opening).
    void Assign(std::string_view name);
    const std::string& Name() const { return name_; }

    void Reset();    // open for reading; a missing file raises IoError 2
    void Rewrite();  // create or empty, open for writing
    void Append();   // open for writing at the end (a final Ctrl-Z is removed)
    void Close();    // flushes; closing a closed file does nothing
    bool IsOpen() const { return mode_ != Mode::Closed; }

    // Reading.
    bool Eof() const;
    bool Eoln() const;
    std::string ReadLn();                  // the rest of the line, then past its end
    void SkipLn();                         // past the end of the current line
    long double ReadReal();                // Read(f, real): skips blanks and line ends,
                                           // reads one token; a bad token raises IoError 106
    std::int32_t ReadInt();                // Read(f, integer), the same way
    std::string ReadChars(std::size_t n);  // up to n characters of the line

    // Writing.
    void Write(std::string_view s);
    void WriteLn(std::string_view s = {});
    void WriteCtrlZ();

private:
    enum class Mode { Closed, Input, Output };
    void RequireInput() const;
    void RequireOutput() const;
    std::string name_;
    Mode mode_ = Mode::Closed;
    std::string data_;  // whole text while reading (cut at Ctrl-Z)
    std::size_t pos_ = 0;
    std::FILE* out_ = nullptr;
};

// Whole-file helpers.
std::vector<std::string> ReadTextLines(std::string_view name);  // IoError 2 when missing
// The lines of a text file's bytes, as ReadTextLines reads them: the text ends
// at a Ctrl-Z, each line at CR, LF or CR LF.
std::vector<std::string> SplitTextLines(std::string_view bytes);
void WriteTextLines(std::string_view name, const std::vector<std::string>& lines, bool endWithCtrlZ = false);
// The bytes of a text file of these lines: CR LF after each, Ctrl-Z at the end when asked.
std::string JoinLines(const std::vector<std::string>& lines, bool ctrlZ = false);
// Writes the same lines through a temporary file renamed over the old one.
void ReplaceTextLines(std::string_view name, const std::vector<std::string>& lines, bool endWithCtrlZ = false);

}  // namespace rt
