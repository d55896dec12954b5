#pragma once
// Delta T: dynamical (terrestrial) time minus Universal Time. The planetary
// theories run in dynamical time while every Julian day of the program is UT.
#include "engine/chart.h"

namespace engine {

// Delta T in seconds at a decimal year (2000.5 is the middle of the year
// 2000; astronomical numbering, 0 = 1 BC). The polynomials hold for the years
// -500 to 2150; outside them the long-term parabola stands.
Real DeltaTSeconds(Real decimalYear);

// The decimal year of a Julian day: 2000.0 at 2000 January 1, 0h, counted in
// mean Gregorian years (which near enough keeps the Julian calendar's years in
// antiquity too, for a quantity that changes a few seconds a year).
Real DecimalYearOf(Real jd);

// The Julian day in dynamical time of a Julian day in UT.
Real DynamicalJulianDay(Real jdUt);

}  // namespace engine
