#include "remedies/prefix_bisect.h"

#include <algorithm>

#include "platform/runtime/win1252.h"

namespace remedies {

int PrefixBisect(const std::vector<std::string>& lines, std::size_t count, std::string_view key, bool ignoreCase) {
    const std::string upperKey = ignoreCase ? rt::UpperAscii(key) : std::string(key);
    if (ignoreCase) key = upperKey;
    count = std::min(count, lines.size());
    if (count == 0) return -1;
    std::size_t lo = 0, hi = count, mid = (hi - lo) / 2;
    for (int round = 0; round < 100; ++round) {
        std::string_view line = lines[std::min(mid, count - 1)];
        std::string p(line.substr(0, std::min(key.size(), line.size())));
        if (ignoreCase) p = rt::UpperAscii(p);
        int c = p.compare(key);
        if (c > 0) {
            hi = mid;
            mid = (mid + lo) / 2;
        } else if (c < 0) {
            lo = mid;
            mid = (mid + hi) / 2;
        }
    }
    return static_cast<int>(std::min(mid, count - 1));
}

bool ApplyTypeAheadKey(std::string& key, char pressed, bool upperEvery) {
    if (pressed == 13) return false;
    if (pressed == 8) {
        if (!key.empty()) key.pop_back();
        return true;
    }
    if ((upperEvery || key.empty()) && pressed >= 'a' && pressed <= 'z') pressed = static_cast<char>(pressed - 32);
    key += pressed;
    return true;
}

}  // namespace remedies
