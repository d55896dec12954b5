#include "archive/places.h"

#include <algorithm>
#include <optional>

#include "platform/runtime/damaged_file.h"
#include "platform/runtime/fixed_string.h"
#include "platform/runtime/io_error.h"
#include "platform/runtime/number_range.h"
#include "platform/runtime/number_text.h"
#include "platform/runtime/real_formats.h"
#include "platform/runtime/record_file.h"
#include "platform/runtime/win1252.h"

namespace archive {

namespace {

constexpr std::size_t kNameOffset = 0;
constexpr std::size_t kLatitudeOffset = 32;
constexpr std::size_t kLongitudeOffset = 48;
constexpr std::size_t kCalendarOffset = 60;
constexpr std::size_t kStateOffset = 64;

constexpr int kSearchRounds = 100;
constexpr std::size_t kSearchKeyCapacity = 80;

std::string TrimLeftBlanks(const std::string& s) {
    std::size_t i = s.find_first_not_of(' ');
    return i == std::string::npos ? std::string() : s.substr(i);
}

}  // namespace

rt::Bytes EncodePlaceRecord(const PlaceRecord& place) {
    rt::Bytes r(kPlaceRecordSize, 0);
    rt::WriteFixedString(r.data() + kNameOffset, kPlaceNameCapacity, place.name);
    rt::ExtendedToBytes(place.latitude, r.data() + kLatitudeOffset);
    rt::ExtendedToBytes(place.longitude, r.data() + kLongitudeOffset);
    auto n = static_cast<std::uint32_t>(place.calendarNumber);
    for (int i = 0; i < 4; ++i) r[kCalendarOffset + i] = static_cast<std::uint8_t>(n >> (8 * i));
    rt::WriteFixedString(r.data() + kStateOffset, kPlaceStateCapacity, place.state);
    return r;
}

PlaceRecord DecodePlaceRecord(const rt::Bytes& record) {
    rt::Bytes r = record;
    r.resize(kPlaceRecordSize, 0);
    PlaceRecord p;
    p.name = rt::ReadFixedString(r.data() + kNameOffset, kPlaceNameCapacity);
    p.latitude = rt::ExtendedFromBytes(r.data() + kLatitudeOffset);
    p.longitude = rt::ExtendedFromBytes(r.data() + kLongitudeOffset);
    std::uint32_t n = 0;
    for (int i = 0; i < 4; ++i) n |= static_cast<std::uint32_t>(r[kCalendarOffset + i]) << (8 * i);
    p.calendarNumber = static_cast<std::int32_t>(n);
    p.state = rt::ReadFixedString(r.data() + kStateOffset, kPlaceStateCapacity);
    return p;
}

const char* PlaceTableFileName(PlaceTableKind kind) {
    return kind == PlaceTableKind::Italian ? "ITALIA.LOC" : "ESTERO.LOC";
}

std::string PlaceTablePath(PlaceTableKind kind) { return std::string("Localita\\") + PlaceTableFileName(kind); }

void FoldPlaceName(std::string& name) {
    for (char& ch : name) {
        auto c = static_cast<unsigned char>(ch);
        // Small accented letters to plain ones.
        if (c >= 224 && c <= 230)
            c = 'a';
        else if (c == 242 || c == 243 || c == 244 || c == 246 || c == 248)
            c = 'o';
        else if (c == 223)
            c = 's';
        else if (c >= 249 && c <= 252)
            c = 'u';
        else if (c >= 232 && c <= 235)
            c = 'e';
        else if (c >= 236 && c <= 239)
            c = 'i';
        else if (c == 241)
            c = 'n';
        else if (c == 231)
            c = 'c';
        // Upper case, a..z only.
        if (c >= 'a' && c <= 'z') c = static_cast<unsigned char>(c - 'a' + 'A');
        // Accented capitals, "-" and "(".
        if (c == 193 || c == 194 || c == 196 || c == 197 || c == 198)
            c = 'A';
        else if (c == 211 || c == 212 || c == 214 || c == 216)
            c = 'O';
        else if (c == 218 || c == 220)
            c = 'U';
        else if (c >= 205 && c <= 207)
            c = 'I';
        else if (c == 200 || c == 201 || c == 203)
            c = 'E';
        else if (c == '-' || c == '(')
            c = ' ';
        else if (c == 199)
            c = 'C';
        ch = static_cast<char>(c);
    }
    if (!name.empty() && name[0] == '\'') name.erase(0, 1);
}

std::string FoldedPlaceName(std::string_view name) {
    std::string s(name);
    FoldPlaceName(s);
    return s;
}

std::string PlaceSearchKey(std::string_view typed) {
    std::string key = FoldedPlaceName(typed) + std::string(25, '!');
    return rt::CutTo(key, kSearchKeyCapacity);
}

std::string PlaceListLine(const PlaceRecord& place) { return TrimLeftBlanks(place.name) + TrimLeftBlanks(place.state); }

std::string PlaceCoordinatesText(long double latitude, long double longitude) {
    auto part = [](long double value, int degreeDigits, char positive, char negative) {
        char letter = value < 0 ? negative : positive;
        long double a = value < 0 ? -value : value;
        std::int64_t degrees = rt::Trunc(a);
        std::int64_t minutes = rt::Round((a - degrees) * 60);
        return rt::ZeroPad(degrees, degreeDigits) + letter + rt::ZeroPad(minutes, 2);
    };
    return part(latitude, 2, 'N', 'S') + "-" + part(longitude, 3, 'E', 'W');
}

std::string ZoneCalendarNameOf(std::int32_t calendarNumber) {
    std::string digits = std::to_string(calendarNumber);
    std::string name = digits.size() > 1 ? digits.substr(1, 8) : std::string();
    return name + ".CAL";
}

// ---- the table -------------------------------------------------------------

bool PlaceTable::Open(PlaceTableKind kind) {
    // The tables are shipped and never written: a damaged one is put back from
    // the installation (the user told) and read again.
    const std::string path = PlaceTablePath(kind);
    for (bool repaired = false;; repaired = true) {
        Close();
        kind_ = kind;
        std::string bytes;
        try {
            bytes = rt::ReadFileBytes(path);
        } catch (const rt::IoError&) {
            return false;
        }
        std::vector<rt::Bytes> records;
        records.reserve(bytes.size() / kPlaceRecordSize);
        for (std::size_t at = 0; at + kPlaceRecordSize <= bytes.size(); at += kPlaceRecordSize)
            records.emplace_back(bytes.begin() + at, bytes.begin() + at + kPlaceRecordSize);
        Assign(kind, records);
        // Coordinates beyond the globe (or no number at all) mark a damaged
        // table, which is then not used; a partial last record, a table cut
        // short, whose whole records are used when no sound copy can be put back.
        std::optional<rt::DamagedFileError> bad;
        for (const PlaceRecord& p : places_) {
            try {
                rt::CheckFileNumber(p.latitude, {-90, 90}, path, "latitudine");
                rt::CheckFileNumber(p.longitude, {-180, 180}, path, "longitudine");
            } catch (const rt::DamagedFileError& e) {
                bad = e;
                break;
            }
        }
        const bool cut = bytes.size() % kPlaceRecordSize != 0;
        if (!bad && !cut) return true;
        const std::string damage =
            bad ? bad->Detail()
                : "l'ultima scheda \xE8 incompleta: il file \xE8 stato troncato e vi mancano delle localit\xE0";
        const std::string without = bad ? "La tabella delle localit\xE0 non viene usata."
                                        : "Il programma usa le localit\xE0 che vi sono intere.";
        if (!repaired) {
            const rt::ShippedFileRepair repair = rt::RepairShippedFile({path, damage}, without);
            if (repair.restored) {
                rt::ReportDamagedFile(repair.message);
                continue;
            }
            if (!bad) {
                rt::ReportDamagedFileOnce(path, repair.message);
                return true;
            }
            Close();
            throw bad->WithWayOn(repair.message.substr(repair.message.find(without)));
        }
        const std::string again =
            without +
            " Anche la copia dell'installazione del programma, rimessa al suo posto, \xE8 danneggiata: "
            "reinstallare il programma.";
        if (!bad) {
            rt::ReportDamagedFileOnce(path, rt::DamagedFileMessage({path, damage}, again));
            return true;
        }
        Close();
        throw bad->WithWayOn(again);
    }
}

void PlaceTable::Assign(PlaceTableKind kind, const std::vector<rt::Bytes>& records) {
    kind_ = kind;
    places_.clear();
    compare_.clear();
    places_.reserve(records.size());
    compare_.reserve(records.size());
    for (const rt::Bytes& r : records) {
        if (r.size() < kPlaceRecordSize) break;  // a partial last record
        places_.push_back(DecodePlaceRecord(r));
        compare_.push_back(kind == PlaceTableKind::Italian ? places_.back().name
                                                           : FoldedPlaceName(places_.back().name));
    }
    if (places_.empty()) {  // not even a header: an empty table
        places_.emplace_back();
        compare_.emplace_back();
    }
    open_ = true;
}

void PlaceTable::Close() {
    open_ = false;
    places_.clear();
    compare_.clear();
}

const PlaceRecord& PlaceTable::Read(std::int64_t n) const {
    if (!open_ || n < 0 || n >= static_cast<std::int64_t>(places_.size()))
        throw rt::IoError(rt::kReadBeyondEnd, PlaceTablePath(kind_));
    return places_[static_cast<std::size_t>(n)];
}

const std::string& PlaceTable::CompareName(std::int64_t n) const {
    Read(n);
    return compare_[static_cast<std::size_t>(n)];
}

std::int64_t PlaceTable::Search(std::string& typed) const {
    if (!typed.empty()) {
        if (kind_ == PlaceTableKind::Italian)
            typed = rt::UpperAscii(typed);
        else
            typed[0] = rt::UpperAscii(typed.substr(0, 1))[0];
    }
    std::int64_t n = open_ ? Count() : 0;
    if (n < 1) return 0;
    const std::string key = PlaceSearchKey(typed);
    std::int64_t hi = n, lo = 1, mid = 1;
    for (int round = 0; round < kSearchRounds; ++round) {
        mid = (hi + lo) / 2;
        if (key > compare_[static_cast<std::size_t>(mid)])
            lo = mid;
        else
            hi = mid;
        if (lo < 1) lo = 1;
    }
    return WholeNameAt(typed, mid);
}

std::int64_t PlaceTable::WholeNameAt(std::string_view typed, std::int64_t found) const {
    // The key sorts after every name that is the typed letters followed by a
    // blank and more ("TORINO DI SANGRO" after "TORINO"), so the bisection
    // stops on the last of those. The name typed whole, when the table has it,
    // stands at the head of that run; the bisection never reaches record N,
    // which may be it too.
    std::string whole = FoldedPlaceName(typed);
    whole.erase(whole.find_last_not_of(' ') + 1);
    if (whole.empty()) return found;
    auto relation = [&](std::int64_t i) {  // 2: the name itself, 1: it and more after a blank, 0: other
        const std::string& name = compare_[static_cast<std::size_t>(i)];
        if (name.compare(0, whole.size(), whole) != 0) return 0;
        const std::size_t rest = name.find_first_not_of(' ', whole.size());
        if (rest == std::string::npos) return 2;
        return rest > whole.size() ? 1 : 0;
    };
    if (found + 1 == Count() && relation(found + 1) == 2) return found + 1;
    for (std::int64_t i = found; i >= 1; --i) {
        const int r = relation(i);
        if (r == 2) return i;
        if (r == 0) break;
    }
    // Letters that only begin names ("TROMS"): the key sorts before those
    // names, so the bisection stops on the name before the first of them.
    auto begins = [&](std::int64_t i) {
        return compare_[static_cast<std::size_t>(i)].compare(0, whole.size(), whole) == 0;
    };
    if (!begins(found) && found + 1 <= Count() && begins(found + 1)) return found + 1;
    return found;
}

// ---- the window ------------------------------------------------------------

void PlaceWindow::Reset(std::int64_t count) {
    count_ = count < 0 ? 0 : count;
    position_ = 0;
    SetPosition(4);
}

std::int64_t PlaceWindow::MinPosition() const {
    if (count_ == 0) return 0;
    return count_ >= kLines ? 4 : 1;
}

std::int64_t PlaceWindow::MaxPosition() const {
    if (count_ == 0) return 0;
    return count_ >= kLines ? count_ - 3 : count_;
}

void PlaceWindow::SetPosition(std::int64_t position) {
    position_ = std::clamp(position, MinPosition(), MaxPosition());
    target_ = position_;
}

void PlaceWindow::ShowRecord(std::int64_t record) {
    SetPosition(record);
    if (count_ > 0) target_ = std::clamp<std::int64_t>(record, 1, count_);
}

std::int64_t PlaceWindow::FirstRecord() const {
    if (count_ == 0) return 0;
    std::int64_t last = std::max<std::int64_t>(1, count_ - (kLines - 1));
    return std::clamp<std::int64_t>(position_ - 3, 1, last);
}

int PlaceWindow::LineCount() const { return static_cast<int>(std::min<std::int64_t>(kLines, count_)); }

std::int64_t PlaceWindow::RecordAtLine(int index) const {
    if (index < 0 || index >= LineCount()) return 0;
    return FirstRecord() + index;
}

int PlaceWindow::PositionLine() const { return count_ == 0 ? 0 : static_cast<int>(position_ - FirstRecord()); }

void PlaceWindow::LineUp() { SetPosition(position_ - 1); }
void PlaceWindow::LineDown() { SetPosition(position_ + 1); }
void PlaceWindow::ScrollPageUp() { SetPosition(position_ - 7); }
void PlaceWindow::ScrollPageDown() { SetPosition(position_ + 7); }
void PlaceWindow::KeyPageUp() { SetPosition(position_ - 6); }
void PlaceWindow::KeyPageDown() { SetPosition(position_ + 6); }

std::vector<std::string> PlaceWindowLines(const PlaceTable& table, const PlaceWindow& window) {
    std::vector<std::string> lines;
    std::int64_t n = table.IsOpen() ? table.Count() : 0;
    for (int i = 0; i < window.LineCount(); ++i) {
        std::int64_t r = window.RecordAtLine(i);
        if (r < 1 || r > n) break;
        lines.push_back(PlaceListLine(table.Read(r)));
    }
    return lines;
}

}  // namespace archive
