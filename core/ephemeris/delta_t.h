// Delta T = TT - UT, from the historic and the observed values where they exist and from the polynomials
// of Espenak and Meeus (NASA, "Five Millennium Canon of Solar Eclipses", 2006) before and after them.
//
// The observed values are the monthly values of the U.S. Naval Observatory and the IERS; between two of
// them Delta T runs on linearly, and so between two historic values. Beyond either end a polynomial takes
// over, shifted so that it starts from the last value of the table and the shift fades out over a
// century: no step where the table ends. After the last observed month, Delta T is a forecast: about a
// second off after five years, a few seconds after twenty-five.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace talvenor {

struct DeltaTTables {
    double historicFirst = 0, historicStep = 0;  // decimal years
    std::vector<double> historic;                // seconds
    std::vector<double> observedJulianDay;       // 0h UT on the first of each month
    std::vector<double> observed;                // seconds
};

struct DeltaTRead {
    std::optional<DeltaTTables> tables;
    std::optional<std::string> fault;
};
DeltaTRead ParseDeltaT(std::string_view checkedText);

// Reads the table file; a fault names the path.
DeltaTRead LoadDeltaT(const std::filesystem::path& path);

// The decimal year of a Julian day: 2000.0 at J2000.0, Julian years of 365.25 days.
double DecimalYear(double julianDay);

// Delta T in seconds by the polynomials of Espenak and Meeus alone, for a decimal year.
double EspenakMeeusDeltaT(double decimalYear);

// Delta T in seconds at a Julian day of UT.
double DeltaTSeconds(const DeltaTTables& tables, double julianDayUt);

}  // namespace talvenor
