#pragma once
// The clock of the program: local date and time, replaceable for tests.
#include <functional>

namespace rt {

struct LocalDateTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, millisecond = 0;
};

LocalDateTime Now();
// Replaces the clock (an empty function restores the system clock).
void SetClock(std::function<LocalDateTime()> clock);

}  // namespace rt
