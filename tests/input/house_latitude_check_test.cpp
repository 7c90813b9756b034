#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chart/house_systems.h"
#include "input/input_checks.h"
#include "input/window_birth.h"

// The high-latitude warning of the check: one message over both windows, for the quadrant house systems.
namespace talvenor {
namespace {

struct LatitudeCheck {
    std::vector<InputFault> warnings;  // the check's faults with the high-latitude message
};

LatitudeCheck Check(const InputTexts& natal, const SecondInputTexts& diurnal, const char* code) {
    const std::vector<InputFault> faults = CheckBirths(
        BirthFromWindow(natal, RegionalFormat{}, kNatalWindowSource),
        BirthFromWindow(diurnal, RegionalFormat{}, kDiurnalWindowSource), HouseSystemOfMenuCode(code));
    LatitudeCheck check;
    for (const InputFault& f : faults) {
        if (f.message.text == kLatitudeTooHighMessage) check.warnings.push_back(f);
    }
    return check;
}

TEST(HouseLatitudeCheckTest, RefusesAboveSixtySixDegreesForLatitudeSystems) {
    struct Case {
        const char* deg;
        const char* min;
        bool refused;
    };
    const Case cases[] = {
        {"66", "0", false},
        {"66", "00", false},
        {"65", "59", false},
        {"", "", false},
        {"66", "1", true},
        {"66", "01", true},
        {"67", "0", true},
        {"80", "0", true},
        // Read with the leading-number rule.
        {" 66", "0x", false},
        {"66abc", "5", true},
        // A negative degree value from the options file is a southern latitude of that size.
        {"-67", "0", true},
        {"-66", "30", false},
    };
    for (const char* code : {"P", "R", "K", "C", "O", "EA", "EM"}) {
        for (const Case& c : cases) {
            for (bool inDiurnal : {false, true}) {
                SCOPED_TRACE(testing::Message() << code << " '" << c.deg << "' '" << c.min << "' "
                                                << (inDiurnal ? "diurnal" : "natal"));
                InputTexts natal;
                SecondInputTexts diurnal;
                natal.latDeg = "40", natal.latMin = "30";
                diurnal.latDeg = "12", diurnal.latMin = "0";
                (inDiurnal ? diurnal.latDeg : natal.latDeg) = c.deg;
                (inDiurnal ? diurnal.latMin : natal.latMin) = c.min;
                const LatitudeCheck check = Check(natal, diurnal, code);
                ASSERT_EQ(check.warnings.size(), c.refused ? 1u : 0u);
                if (c.refused) {
                    const InputFault& shown = check.warnings[0];
                    EXPECT_EQ(shown.message.text,
                              "Your latitude is too high. Lower to 66 degrees, 00 minutes or below OR change "
                              "house systems.");
                    EXPECT_EQ(shown.message.title, "Warning!");
                    EXPECT_EQ(shown.message.icon, MessageIcon::Information);
                    EXPECT_EQ(shown.window, inDiurnal ? BirthWindow::Diurnal : BirthWindow::Natal);
                    EXPECT_EQ(shown.field, BirthField::LatitudeDegrees);
                }
            }
        }
    }
}

TEST(HouseLatitudeCheckTest, OneMessageCoversBothWindows) {
    InputTexts natal;
    SecondInputTexts diurnal;
    natal.latDeg = "70", natal.latMin = "0";
    diurnal.latDeg = "68", diurnal.latMin = "15";
    const LatitudeCheck check = Check(natal, diurnal, "P");
    ASSERT_EQ(check.warnings.size(), 1u);
    EXPECT_EQ(check.warnings[0].window, BirthWindow::Natal);
}

TEST(HouseLatitudeCheckTest, MeridianAndMorinusTakeAnyLatitude) {
    InputTexts natal;
    SecondInputTexts diurnal;
    natal.latDeg = "80", natal.latMin = "00";
    diurnal.latDeg = "89", diurnal.latMin = "59";
    for (const char* code : {"M", "I"}) {
        SCOPED_TRACE(code);
        EXPECT_TRUE(Check(natal, diurnal, code).warnings.empty());
        EXPECT_FALSE(HouseLatitudeRefused(BirthFromWindow(natal, RegionalFormat{}, ""),
                                          BirthFromWindow(diurnal, RegionalFormat{}, ""),
                                          *HouseSystemOfKnownCode(code)));
    }
}

// The warning comes between the completeness and the range faults, as the windows have always shown it.
TEST(HouseLatitudeCheckTest, TheWarningComesAfterCompletenessAndBeforeTheRanges) {
    InputTexts natal;                          // empty: completeness faults
    natal.latDeg = "70", natal.latMin = "75";  // minutes out of range
    SecondInputTexts diurnal;
    const std::vector<InputFault> faults =
        CheckBirths(BirthFromWindow(natal, RegionalFormat{}, ""),
                    BirthFromWindow(diurnal, RegionalFormat{}, ""), HouseSystem::Placidus);
    std::size_t warning = faults.size();
    for (std::size_t i = 0; i < faults.size(); ++i) {
        if (faults[i].message.text == kLatitudeTooHighMessage) warning = i;
    }
    ASSERT_LT(warning, faults.size());
    ASSERT_GT(warning, 0u);
    EXPECT_EQ(faults[warning - 1].window, BirthWindow::Diurnal);  // the diurnal window's completeness
    ASSERT_LT(warning + 1, faults.size());
    EXPECT_EQ(faults[warning + 1].window, BirthWindow::Natal);  // the natal ranges follow
    EXPECT_EQ(faults[warning + 1].field, BirthField::LatitudeMinutes);
}

}  // namespace
}  // namespace talvenor
