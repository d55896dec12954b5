#include "platform/runtime/text_file.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/runtime/io_error.h"
#include "platform/runtime/number_text.h"
#include "platform/runtime/paths.h"
#include "platform/runtime/record_file.h"

namespace fs = std::filesystem;

namespace rt {
namespace {

std::string ReadAll(const fs::path& p, const std::string& name) {
    std::error_code dir;
    // A folder where the file should be is no empty text.
    if (fs::is_directory(p, dir)) throw IoError(kAccessDenied, name);
    std::ifstream in(p, std::ios::binary);
    // What is the case: missing, or there and not to be read.
    if (!in) throw IoError(IoCodeFromErrno(errno), name);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

}  // namespace

TextFile::~TextFile() {
    if (out_) std::fclose(out_);
}

void TextFile::Assign(std::string_view name) {
    Close();
    name_ = std::string(name);
}

void TextFile::Reset() {
    Close();
    data_ = ReadAll(ResolvePath(name_), name_);
    std::size_t z = data_.find('\x1A');
    if (z != std::string::npos) data_.resize(z);
    pos_ = 0;
    mode_ = Mode::Input;
}

void TextFile::Rewrite() {
    Close();
    fs::path p = ResolvePath(name_);
    out_ = std::fopen(p.c_str(), "wb");
    if (!out_) throw IoError(IoCodeFromErrno(errno, true), name_);
    mode_ = Mode::Output;
}

void TextFile::Append() {
    Close();
    fs::path p = ResolvePath(name_);
    std::error_code ec;
    if (!fs::exists(p, ec)) throw IoError(kFileNotFound, name_);
    std::string existing = ReadAll(p, name_);
    std::size_t z = existing.find('\x1A');
    if (z != std::string::npos) {
        // Writing goes on where the text ends.
        fs::resize_file(p, z, ec);
        if (ec) throw IoError(kAccessDenied, name_);
    }
    out_ = std::fopen(p.c_str(), "ab");
    if (!out_) throw IoError(IoCodeFromErrno(errno), name_);
    mode_ = Mode::Output;
}

void TextFile::Close() {
    if (out_) {
        bool bad = std::fflush(out_) != 0 || std::ferror(out_);
        std::fclose(out_);
        out_ = nullptr;
        mode_ = Mode::Closed;
        if (bad) throw IoError(kDiskFull, name_);
    }
    mode_ = Mode::Closed;
    data_.clear();
    pos_ = 0;
}

void TextFile::RequireInput() const {
    if (mode_ != Mode::Input) throw IoError(mode_ == Mode::Closed ? kFileNotOpen : kFileNotOpenForInput, name_);
}

void TextFile::RequireOutput() const {
    if (mode_ != Mode::Output) throw IoError(mode_ == Mode::Closed ? kFileNotOpen : kFileNotOpenForOutput, name_);
}

bool TextFile::Eof() const {
    RequireInput();
    return pos_ >= data_.size();
}

bool TextFile::Eoln() const {
    RequireInput();
    return pos_ >= data_.size() || data_[pos_] == '\r' || data_[pos_] == '\n';
}

std::string TextFile::ReadLn() {
    RequireInput();
    std::size_t start = pos_;
    while (pos_ < data_.size() && data_[pos_] != '\r' && data_[pos_] != '\n') ++pos_;
    std::string line = data_.substr(start, pos_ - start);
    SkipLn();
    return line;
}

void TextFile::SkipLn() {
    RequireInput();
    while (pos_ < data_.size() && data_[pos_] != '\r' && data_[pos_] != '\n') ++pos_;
    if (pos_ < data_.size() && data_[pos_] == '\r') ++pos_;
    if (pos_ < data_.size() && data_[pos_] == '\n') ++pos_;
}

std::string TextFile::ReadChars(std::size_t n) {
    RequireInput();
    std::size_t start = pos_;
    while (pos_ < data_.size() && pos_ - start < n && data_[pos_] != '\r' && data_[pos_] != '\n') ++pos_;
    return data_.substr(start, pos_ - start);
}

long double TextFile::ReadReal() {
    RequireInput();
    while (pos_ < data_.size() && IsBlank(data_[pos_])) ++pos_;
    if (pos_ >= data_.size()) return 0;  // the old run-time reads 0 at the end of the text
    std::size_t start = pos_;
    while (pos_ < data_.size() && !IsBlank(data_[pos_])) ++pos_;
    int code = 0;
    long double v = ValReal(std::string_view(data_).substr(start, pos_ - start), code);
    if (code != 0) throw IoError(kInvalidNumericInput, name_);
    return v;
}

std::int32_t TextFile::ReadInt() {
    RequireInput();
    while (pos_ < data_.size() && IsBlank(data_[pos_])) ++pos_;
    if (pos_ >= data_.size()) return 0;
    std::size_t start = pos_;
    while (pos_ < data_.size() && !IsBlank(data_[pos_])) ++pos_;
    int code = 0;
    std::int32_t v = ValInt(std::string_view(data_).substr(start, pos_ - start), code);
    if (code != 0) throw IoError(kInvalidNumericInput, name_);
    return v;
}

void TextFile::Write(std::string_view s) {
    RequireOutput();
    if (!s.empty() && std::fwrite(s.data(), 1, s.size(), out_) != s.size()) throw IoError(kDiskFull, name_);
}

void TextFile::WriteLn(std::string_view s) {
    Write(s);
    Write("\r\n");
}

void TextFile::WriteCtrlZ() { Write("\x1A"); }

std::vector<std::string> ReadTextLines(std::string_view name) {
    return SplitTextLines(ReadAll(ResolvePath(name), std::string(name)));
}

std::vector<std::string> SplitTextLines(std::string_view bytes) {
    bytes = bytes.substr(0, bytes.find('\x1A'));
    std::vector<std::string> lines;
    for (std::size_t pos = 0; pos < bytes.size();) {
        const std::size_t start = pos;
        while (pos < bytes.size() && bytes[pos] != '\r' && bytes[pos] != '\n') ++pos;
        lines.emplace_back(bytes.substr(start, pos - start));
        if (pos < bytes.size() && bytes[pos] == '\r') ++pos;
        if (pos < bytes.size() && bytes[pos] == '\n') ++pos;
    }
    return lines;
}

std::string JoinLines(const std::vector<std::string>& lines, bool ctrlZ) {
    std::string s;
    for (const auto& l : lines) {
        s += l;
        s += "\r\n";
    }
    if (ctrlZ) s += '\x1A';
    return s;
}

void WriteTextLines(std::string_view name, const std::vector<std::string>& lines, bool endWithCtrlZ) {
    TextFile f;
    f.Assign(name);
    f.Rewrite();
    f.Write(JoinLines(lines, endWithCtrlZ));
    f.Close();
}

void ReplaceTextLines(std::string_view name, const std::vector<std::string>& lines, bool endWithCtrlZ) {
    ReplaceFileBytes(name, JoinLines(lines, endWithCtrlZ));
}

}  // namespace rt
