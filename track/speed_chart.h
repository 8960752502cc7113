#pragma once
// The speed chart ("tachograph") of one day file: the day's 24 hours spread
// over the W pixel columns of a strip H pixels high, each column showing the
// mean speed of the records that fall into it as a bar from green (bottom)
// to red (top); 180 km/h fills the whole height.
//
// This is the arithmetic only; app/ui/speed_chart_view draws it. All
// divisions are exact integer ones that truncate, which is what the pixel
// rules mean (no floating rounding moves a bar or a line by one pixel).
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "track/day_file.h"

namespace tripdesk::track {

// Speed that reaches the top of the chart.
constexpr int kSpeedChartFullScale = 180;
// Height of the title band at the top of the strip, in pixels.
constexpr int kSpeedChartTitleBand = 15;
constexpr int kSecondsPerDay = 86400;

// Column of a time of day (seconds since midnight) on a strip `width` pixels
// wide: trunc(seconds * (width - 1) / 86400). 12:00:00 on 241 pixels is 120.
// Times past 24:00 (a damaged time word) give columns past the strip.
constexpr int speed_chart_column(int seconds, int width) {
    return static_cast<int>(static_cast<int64_t>(seconds) * (width - 1) / kSecondsPerDay);
}

// x of hour line i (1..23): trunc(i * (width - 1) / 24).
constexpr int speed_chart_hour_line(int i, int width) { return i * (width - 1) / 24; }

// Top row of a bar for a column value (km/h): trunc(height - value / 180 * height).
// 0 gives `height` (no visible pixel), 180 gives 0, faster values go above
// the strip (negative).
constexpr int speed_chart_bar_top(int value, int height) {
    return static_cast<int>(static_cast<int64_t>(height) * (kSpeedChartFullScale - value) / kSpeedChartFullScale);
}

// Green part of the bar colour at row y: trunc(255 / height * y). The pixel
// is (255 - g, g, 0): red at the top, green at the bottom.
constexpr int speed_chart_green(int y, int height) {
    return static_cast<int>(static_cast<int64_t>(255) * y / height);
}

// The columns of one day file on a strip of width x height pixels.
struct SpeedChart {
    int width = 0;
    int height = 0;
    // Highest current speed of the day (km/h); 0 for a file without records.
    int max_speed = 0;
    // width + 1 column values (km/h): trunc(sum / count) of the speeds that
    // fell into the column, 0 where none did. The last one lies past the
    // strip's right edge and is never visible.
    std::vector<int> values;
    // width + 1 bar tops, speed_chart_bar_top of each value. A bar covers the
    // rows from its top down to the bottom edge (row `height`, just below the
    // picture), so a value of 0 shows nothing.
    std::vector<int> tops;
    // Records whose time lies past the last column (hour 24..31 in a damaged
    // time word). They raise the maximum but fall into no column.
    int off_chart_records = 0;
};

// One pass over the records of a day file held in memory (record size rule
// as every reader; only W1 and W3 are used). The current speed starts at 0; a
// record with Speed up to 250 makes its speed the current one, a record above
// 250 keeps the previous current speed; the current speed raises the maximum
// and is added to the column of the record's time. Validity, position and
// flags play no part. A width or height below 1 gives no columns (the maximum
// is still found).
SpeedChart compute_speed_chart(std::string_view file_bytes, const DayFileOptions& options, int width, int height);

// The chart's title: " <path> - Maximálna rýchlosť: <max> km/h".
std::string speed_chart_title(const std::string& path, int max_speed);

}  // namespace tripdesk::track
