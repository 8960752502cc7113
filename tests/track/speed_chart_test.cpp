#include "track/speed_chart.h"

#include <gtest/gtest.h>

#include <limits>
#include <map>
#include <utility>

#include "track/day_file_writer.h"

using namespace tripdesk::track;

namespace {

Fix at(int hour, int min, int sec, int speed) {
    return fix(15, 3, 2009).time(hour, min, sec).speed(speed).lon(17.1f).lat(48.1f);
}

std::string day_of(std::initializer_list<Fix> fixes, uint32_t marker = kMarkerImported) {
    DayFileWriter f(marker);
    for (const Fix& x : fixes) f.add(x, 0x78563412);
    return f.bytes();
}

// Columns with a value other than 0, as column -> value.
std::map<int, int> bars(const SpeedChart& c) {
    std::map<int, int> out;
    for (size_t x = 0; x < c.values.size(); ++x)
        if (c.values[x] != 0) out[static_cast<int>(x)] = c.values[x];
    return out;
}

}  // namespace

TEST(SpeedChart, PixelArithmetic) {
    // Columns: the day spread over width - 1 pixels.
    EXPECT_EQ(speed_chart_column(12 * 3600, 241), 120);
    EXPECT_EQ(speed_chart_column(0, 241), 0);
    EXPECT_EQ(speed_chart_column(86399, 241), 239);
    EXPECT_EQ(speed_chart_column(86400, 241), 240);
    EXPECT_EQ(speed_chart_column(6 * 3600 + 1, 801), 200);
    // Hour lines.
    EXPECT_EQ(speed_chart_hour_line(1, 241), 10);
    EXPECT_EQ(speed_chart_hour_line(12, 241), 120);
    EXPECT_EQ(speed_chart_hour_line(23, 800), 765);
    // Bar tops: 0 stays below the picture, 180 and faster reach the top.
    EXPECT_EQ(speed_chart_bar_top(0, 60), 60);
    EXPECT_EQ(speed_chart_bar_top(90, 60), 30);
    EXPECT_EQ(speed_chart_bar_top(55, 60), 41);  // 60 - 18.33
    EXPECT_EQ(speed_chart_bar_top(179, 180), 1);
    EXPECT_EQ(speed_chart_bar_top(180, 60), 0);
    EXPECT_LT(speed_chart_bar_top(250, 60), 0);
    // Colour: red at the top, green at the bottom.
    EXPECT_EQ(speed_chart_green(0, 60), 0);
    EXPECT_EQ(speed_chart_green(30, 60), 127);
    EXPECT_EQ(speed_chart_green(59, 60), 250);
    EXPECT_EQ(speed_chart_green(60, 60), 255);
}

TEST(SpeedChart, ColumnValuesAndMaximum) {
    struct Case {
        const char* what;
        std::string file;
        std::map<int, int> bars;  // on a 241 x 60 strip
        int max;
    } cases[] = {
        {"noon falls into column 120", day_of({at(12, 0, 0, 50)}), {{120, 50}}, 50},
        {"50 and 61 in one column give 55", day_of({at(12, 0, 0, 50), at(12, 0, 10, 61)}), {{120, 55}}, 61},
        {"400 after 70 counts 70, maximum stays 70",
         day_of({at(10, 0, 0, 70), at(14, 0, 0, 400)}),
         {{100, 70}, {140, 70}},
         70},
        {"251 is no speed, 250 is", day_of({at(10, 0, 0, 250), at(14, 0, 0, 251)}), {{100, 250}, {140, 250}}, 250},
        // The current speed starts at 0: a leading non-fix adds 0 to its column.
        {"leading non-fix counts as 0", day_of({at(12, 0, 0, 400), at(12, 0, 5, 100)}), {{120, 50}}, 100},
        {"mean is truncated", day_of({at(12, 0, 0, 50), at(12, 0, 1, 51)}), {{120, 50}}, 51},
        // Validity plays no part: a NaN position or a broken minute still counts.
        {"invalid fixes count",
         day_of({at(6, 0, 0, 40).lon(std::numeric_limits<float>::quiet_NaN()), at(18, 60, 0, 80)}),
         {{60, 40}, {190, 80}},
         80},
        {"24:00:00 is the last column of the strip", day_of({at(24, 0, 0, 30)}), {{240, 30}}, 30},
        {"24-byte records", day_of({at(12, 0, 0, 90)}, kMarkerWithKey), {{120, 90}}, 90},
    };
    for (const auto& c : cases) {
        const SpeedChart chart = compute_speed_chart(c.file, {}, 241, 60);
        ASSERT_EQ(chart.values.size(), 242u) << c.what;
        ASSERT_EQ(chart.tops.size(), 242u) << c.what;
        EXPECT_EQ(bars(chart), c.bars) << c.what;
        EXPECT_EQ(chart.max_speed, c.max) << c.what;
        for (size_t x = 0; x < chart.values.size(); ++x)
            EXPECT_EQ(chart.tops[x], speed_chart_bar_top(chart.values[x], 60)) << c.what << " column " << x;
    }
}

TEST(SpeedChart, EmptyAndShortFilesGiveNoBars) {
    for (size_t n : {0, 3, 31, 32}) {
        const SpeedChart chart = compute_speed_chart(DayFileWriter(kMarkerWithKey).bytes().substr(0, n), {}, 100, 40);
        EXPECT_EQ(chart.max_speed, 0) << n;
        EXPECT_EQ(chart.values, std::vector<int>(101, 0)) << n;
        EXPECT_EQ(chart.tops, std::vector<int>(101, 40)) << n;
    }
}

TEST(SpeedChart, FastBarsReachTheTop) {
    const SpeedChart chart =
        compute_speed_chart(day_of({at(3, 0, 0, 180), at(9, 0, 0, 250), at(15, 0, 0, 179)}), {}, 241, 180);
    EXPECT_EQ(chart.tops[30], 0);
    EXPECT_LT(chart.tops[90], 0);
    EXPECT_EQ(chart.tops[150], 1);
}

TEST(SpeedChart, Force20byteReadsTheSameBytesAsFiveWordRecords) {
    // Two 24-byte records read as 20-byte ones: the second record's words are
    // shifted by the key word, so its speed comes from the first's key word.
    // The option must reach the record walk.
    DayFileWriter f(kMarkerWithKey);
    f.add(at(12, 0, 0, 50), encode_status(0, 0, 120, 0, 0, 0, 0));
    f.add(at(12, 0, 0, 50).lat(0.0f), 0);  // its latitude is the status word of the partial third
    const SpeedChart normal = compute_speed_chart(f.bytes(), {1.0, false}, 241, 60);
    const SpeedChart forced = compute_speed_chart(f.bytes(), {1.0, true}, 241, 60);
    EXPECT_EQ(normal.max_speed, 50);
    EXPECT_EQ(forced.max_speed, 120);
}

TEST(SpeedChart, TimesPastTheDayStayOffTheChart) {
    // Hours 25..31 of a damaged time word lie past the last column: they raise
    // the maximum but are added to no column (and never outside the arrays).
    const SpeedChart chart =
        compute_speed_chart(day_of({at(12, 0, 0, 40), at(25, 0, 0, 90), at(31, 63, 63, 120)}), {}, 241, 60);
    EXPECT_EQ(bars(chart), (std::map<int, int>{{120, 40}}));
    EXPECT_EQ(chart.off_chart_records, 2);
    EXPECT_EQ(chart.max_speed, 120);
}

TEST(SpeedChart, StripWithoutPixelsStillFindsTheMaximum) {
    for (auto [w, h] : {std::pair{0, 60}, std::pair{241, 0}, std::pair{-5, -5}}) {
        const SpeedChart chart = compute_speed_chart(day_of({at(12, 0, 0, 77)}), {}, w, h);
        EXPECT_TRUE(chart.values.empty()) << w << "x" << h;
        EXPECT_EQ(chart.max_speed, 77) << w << "x" << h;
    }
    // A strip one pixel wide puts the whole day into column 0.
    const SpeedChart one = compute_speed_chart(day_of({at(1, 0, 0, 20), at(23, 0, 0, 40)}), {}, 1, 10);
    EXPECT_EQ(one.values, (std::vector<int>{30, 0}));
}

TEST(SpeedChart, Title) {
    EXPECT_EQ(speed_chart_title("/media/jan/BA-123AB/150309.GPS", 70),
              " /media/jan/BA-123AB/150309.GPS - Maximálna rýchlosť: 70 km/h");
    EXPECT_EQ(speed_chart_title("/tmp/100%s/010110.GPS", 0), " /tmp/100%s/010110.GPS - Maximálna rýchlosť: 0 km/h");
}
