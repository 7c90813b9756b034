#include "environment/regional_format.h"

#include <gtest/gtest.h>
#include <locale.h>

#include <array>
#include <cctype>
#include <clocale>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "support/temporary_files.h"

namespace talvenor {

// Readable failure messages for dates.
[[maybe_unused]] static void PrintTo(const CivilDate& date, std::ostream* out) {
    *out << date.year << "-" << date.month << "-" << date.day;
}

namespace {

using testing_support::ScopedEnvironment;

RegionalFormat WithOrder(std::int16_t order) {
    RegionalFormat regional;
    regional.DateOrder = order;
    return regional;
}

TEST(RegionalFormatTest, DateOrderFollowsTheLocaleDatePattern) {
    const struct {
        const char* pattern;
        std::int16_t order;
    } cases[] = {
        {"%m/%d/%Y", 0},   {"%m/%d/%y", 0},     {"%d.%m.%Y", 1},  {"%d/%m/%y", 1},   {"%Y-%m-%d", 2},
        {"%D", 0},         {"%F", 2},           {"%x", 0},        {"", 0},           {"%e %b %Y", 1},
        {"%-d.%-m.%Y", 1}, {"%Y年%m月%d日", 2}, {"%Ey/%m/%d", 2}, {"%d%%%m%%%Y", 1}, {"%b %d, %Y", 0},
        {"%y%m%d", 2},     {"%d.%m.", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pattern);
        EXPECT_EQ(RegionalFormatFromPatterns(c.pattern, "%H:%M:%S").DateOrder, c.order);
    }
}

TEST(RegionalFormatTest, ClockFollowsTheLocaleTimePattern) {
    const struct {
        const char* pattern;
        std::int16_t clock24;
    } cases[] = {
        {"%H:%M:%S", 1}, {"%T", 1},       {"%R", 1},       {"%k.%M", 1}, {"%OH:%M", 1}, {"%I:%M:%S %p", 0},
        {"%r", 0},       {"%l:%M %p", 0}, {"%p %I:%M", 0}, {"%X", 0},    {"", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pattern);
        EXPECT_EQ(RegionalFormatFromPatterns("%m/%d/%Y", c.pattern).Clock24, c.clock24);
    }
}

TEST(RegionalFormatTest, LocaleOfTheEnvironmentGivesOrderClockAndMonthNames) {
    ScopedEnvironment noAll("LC_ALL", std::nullopt);
    {
        ScopedEnvironment time("LC_TIME", "de_DE.UTF-8");
        const locale_t probe = newlocale(LC_TIME_MASK, "de_DE.UTF-8", static_cast<locale_t>(nullptr));
        if (probe == static_cast<locale_t>(nullptr)) GTEST_SKIP() << "de_DE.UTF-8 is not installed";
        freelocale(probe);
        const std::string before = std::setlocale(LC_TIME, nullptr);
        const RegionalFormat german = ReadRegionalFormat();
        EXPECT_EQ(german.DateOrder, 1);
        EXPECT_EQ(german.Clock24, 1);
        EXPECT_EQ(german.MonthAbbrev[3], "M\xC3\xA4r");
        EXPECT_EQ(german.MonthAbbrev[10], "Okt");
        EXPECT_EQ(std::setlocale(LC_TIME, nullptr), before);  // the process locale is left alone
    }
    {
        ScopedEnvironment time("LC_TIME", "C");
        const RegionalFormat plain = ReadRegionalFormat();
        EXPECT_EQ(plain.DateOrder, 0);
        EXPECT_EQ(plain.Clock24, 1);
        EXPECT_EQ(plain.MonthAbbrev[5], "May");
    }
    {
        ScopedEnvironment time("LC_TIME", "xx_NOWHERE.UTF-8");
        const RegionalFormat fallback = ReadRegionalFormat();
        EXPECT_EQ(fallback.DateOrder, 0);
        EXPECT_EQ(fallback.Clock24, 0);
        EXPECT_EQ(fallback.MonthAbbrev[12], "Dec");
    }
}

TEST(RegionalFormatTest, ValidDatesFollowTheGregorianCalendar) {
    const struct {
        CivilDate date;
        bool valid;
    } cases[] = {
        {{1962, 3, 14}, true},  {{2000, 2, 29}, true},  {{1900, 2, 29}, false}, {{2024, 2, 29}, true},
        {{2023, 2, 29}, false}, {{1962, 9, 31}, false}, {{1962, 12, 31}, true}, {{1962, 13, 1}, false},
        {{1962, 0, 1}, false},  {{1962, 1, 0}, false},  {{1, 1, 1}, true},      {{0, 12, 31}, false},
        {{9999, 12, 31}, true}, {{10000, 1, 1}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.date.year) + "-" + std::to_string(c.date.month) + "-" +
                     std::to_string(c.date.day));
        EXPECT_EQ(IsValidDate(c.date), c.valid);
    }
}

TEST(RegionalFormatTest, NumericDatesAreReadInTheRegionalOrder) {
    const struct {
        const char* text;
        std::int16_t order;
        std::optional<CivilDate> date;
    } cases[] = {
        {"3/14/1962", 0, CivilDate{1962, 3, 14}},
        {"14/3/1962", 1, CivilDate{1962, 3, 14}},
        {"1962/3/14", 2, CivilDate{1962, 3, 14}},
        {"14.03.1962", 1, CivilDate{1962, 3, 14}},
        {"1962-03-14", 2, CivilDate{1962, 3, 14}},
        {" 3/ 14/ 1962 ", 0, CivilDate{1962, 3, 14}},  // fields typed with their leading blanks
        {"3/14/62", 0, CivilDate{1962, 3, 14}},
        {"3/14/29", 0, CivilDate{2029, 3, 14}},
        {"3/14/30", 0, CivilDate{1930, 3, 14}},
        {"3/14/00", 0, CivilDate{2000, 3, 14}},
        {"3/14/962", 0, CivilDate{962, 3, 14}},
        {"14/3/1962", 0, std::nullopt},  // no fourteenth month
        {"4/31/1962", 0, std::nullopt},
        {"2/29/1900", 0, std::nullopt},
        {"2/29/2000", 0, CivilDate{2000, 2, 29}},
        {"3/14", 0, std::nullopt},
        {"3/14/1962/1", 0, std::nullopt},
        {"3//1962", 0, std::nullopt},
        {"3/1 4/1962", 0, std::nullopt},
        {"3/14/19620", 0, std::nullopt},
        {"+3/14/1962", 0, std::nullopt},
        {"", 0, std::nullopt},
        {"   ", 0, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("\"") + c.text + "\" order " + std::to_string(c.order));
        EXPECT_EQ(ParseDate(c.text, WithOrder(c.order)), c.date);
    }
}

TEST(RegionalFormatTest, DatesWithMonthNamesAreRead) {
    RegionalFormat german = WithOrder(1);
    german.MonthAbbrev[3] = "M\xC3\xA4r";
    german.MonthAbbrev[10] = "Okt";
    const struct {
        const char* text;
        RegionalFormat regional;
        std::optional<CivilDate> date;
    } cases[] = {
        {"14 Mar 1962", WithOrder(0), CivilDate{1962, 3, 14}},
        {"14 mar 1962", WithOrder(1), CivilDate{1962, 3, 14}},
        {"14 MAR 1962", WithOrder(2), CivilDate{1962, 3, 14}},
        {"1962 Mar 14", WithOrder(2), CivilDate{1962, 3, 14}},
        {"1962 Mar 14", WithOrder(0), CivilDate{1962, 3, 14}},  // a four-digit number can only be the year
        {"62 Mar 14", WithOrder(2), CivilDate{1962, 3, 14}},
        {"14 Mar 62", WithOrder(0), CivilDate{1962, 3, 14}},
        {"Mar 14, 1962", WithOrder(0), CivilDate{1962, 3, 14}},
        {"14-Mar-1962", WithOrder(0), CivilDate{1962, 3, 14}},
        {"  14  Mar  1962 ", WithOrder(0), CivilDate{1962, 3, 14}},
        {"14 March 1962", WithOrder(0), CivilDate{1962, 3, 14}},
        {"14 M\xC3\xA4r 1962", german, CivilDate{1962, 3, 14}},
        {"14 Mar 1962", german, CivilDate{1962, 3, 14}},  // English names are always understood
        {"03 Okt 2001", german, CivilDate{2001, 10, 3}},
        {"31 Sep 1962", WithOrder(0), std::nullopt},
        {"14 Mxz 1962", WithOrder(0), std::nullopt},
        {"14 Mar", WithOrder(0), std::nullopt},
        {"1962 Mar 1962", WithOrder(0), std::nullopt},
        {"14 Mar 1962 extra", WithOrder(0), std::nullopt},
        {"14 1962 Mar", WithOrder(0), std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("\"") + c.text + "\" order " + std::to_string(c.regional.DateOrder));
        EXPECT_EQ(ParseDate(c.text, c.regional), c.date);
    }
}

// The abbreviated month names the system writes "Save to disk" dates with (glibc's ABMON), language by
// language, as UTF-8. A names file written under any of them must read under every other.
struct MonthNames {
    const char* language;
    std::array<const char*, 12> abbrev;
};
const MonthNames kSystemMonths[] = {
    {"en", {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"}},
    {"de_DE", {"Jan", "Feb", "M\xC3\xA4r", "Apr", "Mai", "Jun", "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"}},
    {"fr_FR",
     {"janv.", "f\xC3\xA9vr.", "mars", "avril", "mai", "juin", "juil.", "ao\xC3\xBBt", "sept.", "oct.",
      "nov.", "d\xC3\xA9\x63."}},
    {"es_ES", {"ene", "feb", "mar", "abr", "may", "jun", "jul", "ago", "sep", "oct", "nov", "dic"}},
    {"it_IT", {"gen", "feb", "mar", "apr", "mag", "giu", "lug", "ago", "set", "ott", "nov", "dic"}},
    {"nl_NL", {"jan", "feb", "mrt", "apr", "mei", "jun", "jul", "aug", "sep", "okt", "nov", "dec"}},
    {"pt_PT and pt_BR", {"jan", "fev", "mar", "abr", "mai", "jun", "jul", "ago", "set", "out", "nov", "dez"}},
};

RegionalFormat LanguageOf(const MonthNames& names) {
    RegionalFormat regional;
    for (std::size_t m = 1; m <= 12; ++m) regional.MonthAbbrev[m] = names.abbrev[m - 1];
    return regional;
}

// The forms a month word takes on its way through other programs and files: in capitals, with a point
// added or lost, without its accents, in Windows-1252 bytes.
std::vector<std::string> FormsOf(const std::string& word) {
    std::string bare = word;
    if (!bare.empty() && bare.back() == '.') bare.pop_back();
    std::string capitals, plain, narrow;
    for (std::size_t i = 0; i < bare.size(); ++i) {
        const auto c = static_cast<unsigned char>(bare[i]);
        if (c == 0xC3) {  // the accented letters of these languages are all U+00C0 to U+00FF
            const auto code = static_cast<unsigned char>(static_cast<unsigned char>(bare[++i]) + 0x40);
            narrow += static_cast<char>(code);
            capitals += "\xC3" + std::string(1, static_cast<char>(bare[i] - (code >= 0xE0 ? 0x20 : 0)));
            plain += std::string(1, code == 0xE4 ? 'a' : code == 0xE9 ? 'e' : code == 0xFB ? 'u' : '?');
        } else {
            narrow += bare[i];
            capitals += static_cast<char>(std::toupper(c));
            plain += bare[i];
        }
    }
    return {word, bare, bare + ".", capitals, plain, narrow};
}

TEST(RegionalFormatTest, MonthNamesOfSevenLanguagesReadUnderEveryLanguage) {
    for (const MonthNames& written : kSystemMonths) {
        for (int m = 1; m <= 12; ++m) {
            for (const std::string& form : FormsOf(written.abbrev[static_cast<std::size_t>(m - 1)])) {
                const std::string date = "14 " + form + " 1962";
                for (const MonthNames& reading : kSystemMonths) {
                    SCOPED_TRACE(date + " written under " + written.language + ", read under " +
                                 reading.language);
                    EXPECT_EQ(ParseDate(date, LanguageOf(reading)), (CivilDate{1962, m, 14}));
                }
                // A language of its own (Polish) still reads them.
                RegionalFormat polish;
                polish.MonthAbbrev = {"",    "sty", "lut", "mar",        "kwi", "maj", "cze",
                                      "lip", "sie", "wrz", "pa\xC5\xBA", "lis", "gru"};
                EXPECT_EQ(MonthFromWord(form, polish), m) << form << " under Polish";
            }
        }
    }
}

TEST(RegionalFormatTest, MonthWordsOfOtherProgramsAndFullNamesAreRead) {
    const struct {
        const char* word;
        int month;
    } cases[] = {
        {"Mrz", 3},       {"M\xC3\xA4rz", 3},  {"Maerz", 0},        {"janvier", 1},   {"f\xC3\xA9vrier", 2},
        {"jui", 7},       {"juil", 7},         {"sept.", 9},        {"setiembre", 9}, {"ao\xC3\xBB", 8},
        {"Jänner", 1},    {"mar\xC3\xA7o", 3}, {"maart", 3},        {"Oktober", 10},  {"dicembre", 12},
        {"Dezember", 12}, {"M\xE4r", 3},       {"Ma\xCC\x88r", 3},  {"xyz", 0},       {"", 0},
        {".", 0},         {"Ja", 0},           {"M\xC3\xA4rzz", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.word);
        EXPECT_EQ(MonthFromWord(c.word, RegionalFormat{}), c.month);
    }
    // The user's own language comes first, even for a word the other languages do not know.
    RegionalFormat polish;
    polish.MonthAbbrev[11] = "lis";
    EXPECT_EQ(MonthFromWord("lis", polish), 11);
    EXPECT_EQ(MonthFromWord("lis", RegionalFormat{}), 0);
    // A German date with its day's point.
    EXPECT_EQ(ParseDate("14. M\xC3\xA4rz 1962", WithOrder(1)), (CivilDate{1962, 3, 14}));
    EXPECT_EQ(ParseDate("14.Mar.1962", WithOrder(0)), (CivilDate{1962, 3, 14}));
}

TEST(RegionalFormatTest, LeapDaysBefore1583AreJulianAndAMinusSignIsNoDate) {
    const struct {
        const char* text;
        std::optional<CivilDate> date;
    } cases[] = {
        {"29 Feb 1500", CivilDate{1500, 2, 29}},
        {"29 Feb 1300", CivilDate{1300, 2, 29}},
        {"29 Feb 1100", CivilDate{1100, 2, 29}},
        {"2/29/1500", CivilDate{1500, 2, 29}},
        {"10 Oct 1582", CivilDate{1582, 10, 10}},
        {"29 Feb 1582", std::nullopt},
        {"29 Feb 1700", std::nullopt},
        {"01 Jan -5", std::nullopt},
        {"01 Jan -05", std::nullopt},
        {"-1 Jan 1990", std::nullopt},
        {"Jan 1, -1990", std::nullopt},
        {"1990 Jan -1", std::nullopt},
        {"1/1/-5", std::nullopt},
        {"14-Mar-62", CivilDate{1962, 3, 14}},  // a dash between parts still joins them
        {"1962-Mar-14", CivilDate{1962, 3, 14}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseDate(c.text, RegionalFormat{}), c.date);
    }
}

TEST(RegionalFormatTest, DateIsWrittenWithTwoDigitDayMonthNameAndFourDigitYear) {
    RegionalFormat german;
    german.MonthAbbrev[3] = "M\xC3\xA4r";
    german.MonthAbbrev[4] = "";  // a locale without a name falls back to English
    EXPECT_EQ(FormatDateDdMmmYyyy({1962, 3, 14}, RegionalFormat{}), "14 Mar 1962");
    EXPECT_EQ(FormatDateDdMmmYyyy({2001, 10, 3}, RegionalFormat{}), "03 Oct 2001");
    EXPECT_EQ(FormatDateDdMmmYyyy({962, 1, 1}, RegionalFormat{}), "01 Jan 0962");
    EXPECT_EQ(FormatDateDdMmmYyyy({1962, 3, 14}, german), "14 M\xC3\xA4r 1962");
    EXPECT_EQ(FormatDateDdMmmYyyy({1962, 4, 1}, german), "01 Apr 1962");
}

TEST(RegionalFormatTest, DateFieldsAreJoinedAsTypedInTheRegionalOrder) {
    EXPECT_EQ(JoinDateFields("14", "3", "1962", 0), "3/14/1962");
    EXPECT_EQ(JoinDateFields("14", "3", "1962", 1), "14/3/1962");
    EXPECT_EQ(JoinDateFields("14", "3", "1962", 2), "1962/3/14");
    EXPECT_EQ(JoinDateFields(" 14", "03 ", "62", 5), "03 / 14/62");
    EXPECT_EQ(JoinDateFields("", "", "", 1), "//");
}

TEST(RegionalFormatTest, JoinedFieldsReadBackAsTheTypedDateInEveryOrder) {
    for (std::int16_t order = 0; order <= 2; ++order) {
        SCOPED_TRACE(order);
        EXPECT_EQ(ParseDate(JoinDateFields(" 9", " 11", " 1989", order), WithOrder(order)),
                  (CivilDate{1989, 11, 9}));
    }
}

}  // namespace
}  // namespace talvenor
