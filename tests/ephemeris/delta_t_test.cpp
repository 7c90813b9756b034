#include "ephemeris/delta_t.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "ephemeris/time_scales.h"

namespace talvenor {
namespace {

const DeltaTTables& Tables() {
    static const DeltaTRead read =
        LoadDeltaT(std::filesystem::path(TALVENOR_SHIPPED_DATA_DIR) / "ephemeris" / "deltat.txt");
    static const DeltaTTables tables = read.tables.value_or(DeltaTTables{});
    EXPECT_FALSE(read.fault.has_value()) << read.fault.value_or("");
    return tables;
}

double Midnight(int year, int month, int day) {
    return JulianDayNumberOf(year, month, day) - 0.5;
}

TEST(DeltaTTest, TheObservedAndHistoricValuesAreThoseOfTheObservatories) {
    // The U.S. Naval Observatory's monthly values on the first of January.
    EXPECT_DOUBLE_EQ(DeltaTSeconds(Tables(), Midnight(1990, 1, 1)), 56.8552701);
    EXPECT_DOUBLE_EQ(DeltaTSeconds(Tables(), Midnight(2000, 1, 1)), 63.8285221);
    EXPECT_DOUBLE_EQ(DeltaTSeconds(Tables(), Midnight(2010, 1, 1)), 66.0699217);
    EXPECT_DOUBLE_EQ(DeltaTSeconds(Tables(), Midnight(2020, 1, 1)), 69.3611554);
    // Between two months it runs on evenly: half way through January 2000 it is half way to February's.
    const double january = Midnight(2000, 1, 1), february = Midnight(2000, 2, 1);
    EXPECT_NEAR(DeltaTSeconds(Tables(), (january + february) / 2),
                (DeltaTSeconds(Tables(), january) + DeltaTSeconds(Tables(), february)) / 2, 1e-12);
    // The historic values (Stephenson and Morrison) at the start of 1900 and 1950.
    EXPECT_DOUBLE_EQ(DeltaTSeconds(Tables(), 2415020.0), -2.7);
    EXPECT_DOUBLE_EQ(DeltaTSeconds(Tables(), 2415020.0 + 50 * 365.25), 29.15);
}

TEST(DeltaTTest, ThePolynomialsGiveTheValuesEspenakAndMeeusTabulate) {
    // Their table of Delta T over five millennia, in seconds rounded to ten; the polynomials are fitted to
    // it and stay within 15 s of it (the table's own uncertainty there is hundreds of seconds).
    const struct {
        double year, seconds;
    } table[] = {{-500, 17190}, {-400, 15530}, {-300, 14080}, {-200, 12790}, {-100, 11640}, {0, 10580},
                 {100, 9600},   {200, 8640},   {300, 7680},   {400, 6700},   {500, 5710},   {600, 4740},
                 {700, 3810},   {800, 2960},   {900, 2200},   {1000, 1570},  {1100, 1090},  {1200, 740},
                 {1300, 490},   {1400, 320},   {1500, 200},   {1600, 120}};
    for (const auto& t : table) EXPECT_NEAR(EspenakMeeusDeltaT(t.year), t.seconds, 15.0) << t.year;
}

TEST(DeltaTTest, NoStepWhereATableEndsAndThePolynomialsTakeOver) {
    const DeltaTTables& t = Tables();
    const double historicStart = 2451545.0 + (t.historicFirst - 2000) * 365.25;
    const double lastObserved = t.observedJulianDay.back();
    for (const double edge : {historicStart, lastObserved}) {
        SCOPED_TRACE(DecimalYear(edge));
        const double before = DeltaTSeconds(t, edge - 1e-6), after = DeltaTSeconds(t, edge + 1e-6);
        EXPECT_NEAR(before, after, 1e-3);
    }
    EXPECT_DOUBLE_EQ(DeltaTSeconds(t, lastObserved), t.observed.back());
    // A century on, the shift has faded and the polynomial is itself again.
    const double later = lastObserved + 100.5 * 365.25;
    EXPECT_DOUBLE_EQ(DeltaTSeconds(t, later), EspenakMeeusDeltaT(DecimalYear(later)));
    const double earlier = historicStart - 100.5 * 365.25;
    EXPECT_DOUBLE_EQ(DeltaTSeconds(t, earlier), EspenakMeeusDeltaT(DecimalYear(earlier)));
    // A day moves Delta T by far less than a second everywhere from the first historic value to 2200.
    double previous = DeltaTSeconds(t, historicStart);
    for (double day = historicStart + 1; day < 2524593.5; day += 1) {
        const double now = DeltaTSeconds(t, day);
        ASSERT_LT(std::fabs(now - previous), 0.05) << DecimalYear(day);
        previous = now;
    }
    // The published polynomials themselves meet in 1600 with a step of a quarter of a second.
    EXPECT_LT(std::fabs(EspenakMeeusDeltaT(1600) - EspenakMeeusDeltaT(1600 - 1e-9)), 0.3);
}

TEST(DeltaTTest, AMalformedTableIsNamedByItsLine) {
    EXPECT_EQ(ParseDeltaT("historic 1657 1657 2\n1\n2\n").fault,
              "line 1: the historic table's heading is not sound");
    EXPECT_EQ(ParseDeltaT("historic 1657 1658 2\n1\nx\n").fault, "line 3: a value in seconds was expected");
    EXPECT_EQ(ParseDeltaT("observed 2\n2000 1 63.8\n2000 13 63.9\n").fault,
              "line 3: a line \"YEAR MONTH SECONDS\" was expected");
    EXPECT_EQ(ParseDeltaT("observed 2\n2000 2 63.8\n2000 1 63.9\n").fault,
              "line 3: the months are not in order");
    EXPECT_EQ(ParseDeltaT("observed 2\n2000 1 63.8\n2000 2 63.9\n").fault,
              "the historic or the observed table is missing");
    EXPECT_EQ(ParseDeltaT("forecast 2\n").fault, "line 1: a table heading was expected");
    const DeltaTRead sound = ParseDeltaT("historic 1900 1901 2\n-2\n-1\nobserved 2\n1973 2 43\n1973 3 44\n");
    ASSERT_TRUE(sound.tables.has_value()) << sound.fault.value_or("");
    EXPECT_DOUBLE_EQ(DeltaTSeconds(*sound.tables, 2415020.0 + 0.5 * 365.25), -1.5);
}

}  // namespace
}  // namespace talvenor
