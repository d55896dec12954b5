#include "platform/runtime/fixed_string.h"

#include <algorithm>
#include <cstring>

namespace rt {

std::string ReadFixedString(const std::uint8_t* p, std::size_t capacity) {
    std::size_t len = std::min<std::size_t>(p[0], capacity);
    return std::string(reinterpret_cast<const char*>(p + 1), len);
}

void WriteFixedString(std::uint8_t* p, std::size_t capacity, std::string_view s) {
    std::size_t len = std::min(s.size(), std::min<std::size_t>(capacity, 255));
    std::memset(p, 0, capacity + 1);
    p[0] = static_cast<std::uint8_t>(len);
    std::memcpy(p + 1, s.data(), len);
}

std::string CutTo(std::string_view s, std::size_t capacity) {
    return std::string(s.substr(0, std::min(s.size(), capacity)));
}

std::string Copy(std::string_view s, std::size_t start, std::size_t len) {
    if (start < 1 || start > s.size()) return {};
    return std::string(s.substr(start - 1, len));
}

}  // namespace rt
