#pragma once
// Numbers read from files are checked against their field's range before any
// use: a value that is not finite or lies outside the range marks the file as
// damaged and is never converted. The integer conversions of the run-time
// refuse what no integer holds, as the old run-time's floating-point fault did.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/runtime/io_error.h"

namespace rt {

// The old run-time's invalid floating-point operation (in Italian, as the
// program's other messages): a real with no integer value (infinite, not a
// number, beyond 64 bits) was to be converted.
class FloatError : public std::runtime_error {
public:
    FloatError();
};

// Raises FloatError unless x is finite and its integral part fits 64 bits.
void RequireIntegral(long double x);

// A file that holds a number its field cannot take. The code is the invalid
// numeric input of the run-time, so callers that repair such files treat it as
// any other unreadable number; the message names the file and the field.
class DamagedFileError : public IoError {
public:
    // The file and its field that hold the number.
    struct Where {
        std::string file;
        std::string field;
    };
    DamagedFileError(const Where& where, const std::string& value);
    // The same error whose message goes on with another way on (what the
    // program does and what the user can do).
    DamagedFileError WithWayOn(std::string wayOn) const;
    const char* what() const noexcept override { return message_.c_str(); }
    // The message followed by what the program does and what the user can do.
    std::string UserMessage() const override;
    const std::string& Field() const { return field_; }
    // What is wrong, as a damaged-file message says it ("il valore di ... (...)
    // \xE8 fuori dai limiti ammessi").
    const std::string& Detail() const { return detail_; }

private:
    std::string field_;
    std::string detail_;
    std::string message_;
    std::string wayOn_;
};

// The smallest and the largest value a number may take.
struct NumberLimits {
    long double low;
    long double high;
};

// True when v is finite and low <= v <= high.
bool InRange(long double v, NumberLimits limits);

// Returns v when it is finite and within [low, high]; otherwise raises
// DamagedFileError naming the file and the field.
long double CheckFileNumber(long double v, NumberLimits limits, std::string_view file, std::string_view field);

// Raises DamagedFileError for v, a number its field cannot take (beyond its
// range, or no whole number where the field holds one).
[[noreturn]] void RefuseFileNumber(long double v, std::string_view file, std::string_view field);

}  // namespace rt
