#include "input/strict_number.h"

#include <gtest/gtest.h>

#include <string>

namespace talvenor {
namespace {

TEST(StrictNumberTest, ReadsATextThatIsOneNumber) {
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"5", 5},      {"-2.5", -2.5}, {"+3", 3},         {" 12 ", 12},      {"\t7\t", 7}, {".5", 0.5},
        {"-.5", -0.5}, {"5.", 5},      {"087.39", 87.39}, {"-002.20", -2.2}, {"0", 0},     {"00", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto value = StrictNumber(c.text);
        ASSERT_TRUE(value.has_value());
        EXPECT_EQ(*value, c.value);
    }
}

TEST(StrictNumberTest, RefusesEverythingElse) {
    for (const char* text : {"",    " ",   "-",    "+",   ".",     "-.",  "1.2.3", "5-",  "--5", "+-5", "- 5",
                             "1 5", "1e5", "1E+5", "1,5", "12abc", "abc", "0x10",  "Inf", "NaN", "1d2"}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(StrictNumber(text).has_value());
    }
    EXPECT_FALSE(StrictNumber(std::string(400, '9')).has_value());
}

}  // namespace
}  // namespace talvenor
