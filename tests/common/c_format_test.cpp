#include "common/c_format.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

using tripdesk::c_format;

TEST(CFormat, UsesPointWhateverTheProcessLocale) {
    // A locale with a decimal comma, when the machine has one.
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    EXPECT_EQ(c_format("%.2f km", 12.345), "12.35 km");
    EXPECT_EQ(c_format("%11.6f", 17.1), "  17.100000");
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(CFormat, LongOutputIsNotCut) {
    const std::string long_text(1000, 'x');
    EXPECT_EQ(c_format("%s|%d", long_text.c_str(), 7), long_text + "|7");
}
