// The exports' number formatting must give exactly what printf gives.
#include "common/c_format.h"
#include "export/logbook_line.h"
#include "export/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace tripdesk;

namespace {

const double kReals[] = {0.0,     -0.0,     0.005,   0.015,    0.125,    2.675,     1e-7,      -1e-7,
                         48.125,  -17.25,   99.995,  123.4567895, -179.9999995, 1e10, 1e300, -3.4e38,
                         std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                         std::nan("")};
const int kInts[] = {0, 7, -1, 99, 255, 1000, 12345, 123456, -12345, std::numeric_limits<int>::min()};

TEST(NumberText, FixedMatchesPrintf) {
    for (const double v : kReals) {
        for (const auto& [width, precision] : {std::pair{9, 6}, {11, 6}, {6, 2}, {0, 0}}) {
            std::string text;
            exports::append_fixed(text, v, width, precision);
            EXPECT_EQ(text, c_format("%*.*f", width, precision, v)) << v << " " << width << "." << precision;
        }
    }
}

TEST(NumberText, IntegersMatchPrintf) {
    for (const int v : kInts) {
        for (const int width : {2, 3, 5}) {
            std::string text;
            exports::append_int(text, v, width);
            EXPECT_EQ(text, c_format("%*d", width, v)) << v << " " << width;
        }
    }
}

TEST(NumberText, LogbookLineMatchesItsPrintfFormat) {
    logbook::LogbookLine l;
    l.number = 12345;
    l.code = logbook::kPrivatePoint;
    l.month_index = 255;
    l.day = 31;
    l.hour = 23;
    l.minute = 59;
    l.second = 7;
    l.years_since_1900 = 165;
    l.latitude = -48.0000005;
    l.longitude = 179.123456789;
    l.speed = 1000;
    l.distance_km = 1234.565;
    for (const auto& key : {std::optional<std::string>("12345600"), std::optional<std::string>(""),
                            std::optional<std::string>()}) {
        l.key = key;
        std::string expected = c_format("%5d 01 %s %2d %2d %2d %2d %2d  %3d %11.6f %11.6f %3d %6.2f 04", l.number,
                                        l.code, l.month_index, l.day, l.hour, l.minute, l.second, l.years_since_1900,
                                        l.latitude, l.longitude, l.speed, l.distance_km);
        if (key) expected += " " + *key;
        EXPECT_EQ(logbook::format_line(l), expected);
    }
}

}  // namespace
