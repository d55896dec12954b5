// Numbers with no integer value and numbers outside their field's range.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/runtime/number_range.h"
#include "platform/runtime/number_text.h"

namespace {

TEST(NumberRangeTest, IntegerConversionsRefuseWhatNoIntegerHolds) {
    const long double inf = std::numeric_limits<long double>::infinity();
    const long double nan = std::numeric_limits<long double>::quiet_NaN();
    for (long double x : {nan, inf, -inf, 1e300L, -1e19L, 9.3e18L}) {
        EXPECT_THROW(rt::Round(x), rt::FloatError) << static_cast<double>(x);
        EXPECT_THROW(rt::Trunc(x), rt::FloatError) << static_cast<double>(x);
    }
    // The values around them still convert as before.
    EXPECT_EQ(rt::Round(2.5L), 2);
    EXPECT_EQ(rt::Round(-3.5L), -4);
    EXPECT_EQ(rt::Trunc(-7.9L), -7);
    EXPECT_EQ(rt::Round(9.0e18L), 9000000000000000000LL);
    EXPECT_EQ(rt::Trunc(-9.0e18L), -9000000000000000000LL);
    EXPECT_EQ(std::string(rt::FloatError().what()).rfind("Operazione in virgola mobile non valida: ", 0), 0u);
}

TEST(NumberRangeTest, ANumberOutsideItsFieldNamesTheDamagedFile) {
    EXPECT_EQ(rt::CheckFileNumber(-90, {-90, 90}, "Localita\\ITALIA.LOC", "latitudine"), -90);
    EXPECT_EQ(rt::CheckFileNumber(90, {-90, 90}, "Localita\\ITALIA.LOC", "latitudine"), 90);
    try {
        rt::CheckFileNumber(std::nanl(""), {-90, 90}, "Localita\\ITALIA.LOC", "latitudine");
        FAIL() << "NaN taken";
    } catch (const rt::DamagedFileError& e) {
        EXPECT_EQ(e.Code(), rt::kInvalidNumericInput);
        EXPECT_EQ(e.File(), "Localita\\ITALIA.LOC");
        EXPECT_EQ(e.Field(), "latitudine");
        EXPECT_STREQ(e.what(),
                     "Il file \"Localita\\ITALIA.LOC\" \xE8 danneggiato: il valore di latitudine (NaN) \xE8 fuori "
                     "dai limiti ammessi.");
    }
    EXPECT_THROW(rt::CheckFileNumber(90.0001L, {-90, 90}, "f", "latitude"), rt::DamagedFileError);
    EXPECT_THROW(rt::CheckFileNumber(-HUGE_VALL, {-90, 90}, "f", "latitude"), rt::DamagedFileError);
    EXPECT_FALSE(rt::InRange(std::numeric_limits<long double>::infinity(), {0, 1e4000L}));
}

}  // namespace
