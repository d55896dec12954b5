// Writes the table of the rulers of the year, "Appoggio\GoverAnno.txt", into
// the file given as the only argument.
//
// The table covers one 252-year cycle, the years 1765 to 2016. The rulers
// follow the order Saturn, Venus, Jupiter, Mercury, Mars, Moon, Sun (ruler
// numbers 7, 4, 6, 3, 5, 2, 1): the ruler of year Y is entry (Y - 1765) mod 7
// of that order, the ruler of its 36-year part of the cycle entry
// (Y - 1765) div 36, so 1765-1800 belongs to Saturn and 1981-2016 to the Sun,
// and every 36-year part opens with a year of its own ruler.
//
// A line holds the year (four digits), the year's ruler and the cycle's
// ruler (two digits each), e.g. "17650707". Lines end in CR LF.
#include <cstdio>
#include <fstream>
#include <iostream>

namespace {

constexpr int kFirstYear = 1765;
constexpr int kLastYear = 2016;
constexpr int kOrder[7] = {7, 4, 6, 3, 5, 2, 1};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: gen_year_rulers OUTPUT_FILE\n";
        return 2;
    }
    std::ofstream out(argv[1], std::ios::binary);
    if (!out) {
        std::cerr << "cannot write " << argv[1] << "\n";
        return 1;
    }
    for (int y = kFirstYear; y <= kLastYear; ++y) {
        const int n = y - kFirstYear;
        char line[48];
        std::snprintf(line, sizeof line, "%04d%02d%02d\r\n", y, kOrder[n % 7], kOrder[n / 36]);
        out << line;
    }
    return out ? 0 : 1;
}
