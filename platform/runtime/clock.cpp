#include "platform/runtime/clock.h"

#include <chrono>
#include <ctime>

namespace rt {
namespace {
std::function<LocalDateTime()>& Override() {
    static std::function<LocalDateTime()> f;
    return f;
}
}  // namespace

LocalDateTime Now() {
    if (Override()) return Override()();
    auto now = std::chrono::system_clock::now();
    std::time_t t = std::chrono::system_clock::to_time_t(now);
    std::tm tm{};
    localtime_r(&t, &tm);
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec, static_cast<int>(ms)};
}

void SetClock(std::function<LocalDateTime()> clock) { Override() = std::move(clock); }

}  // namespace rt
