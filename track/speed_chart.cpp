#include "track/speed_chart.h"

#include "common/c_format.h"

namespace tripdesk::track {

SpeedChart compute_speed_chart(std::string_view file_bytes, const DayFileOptions& options, int width, int height) {
    SpeedChart chart;
    const bool has_columns = width >= 1 && height >= 1;
    if (has_columns) {
        chart.width = width;
        chart.height = height;
    }
    const size_t columns = has_columns ? static_cast<size_t>(width) + 1 : 0;
    // 64-bit sums: a column of a huge damaged file cannot overflow.
    std::vector<int64_t> sums(columns, 0);
    std::vector<int64_t> counts(columns, 0);

    uint32_t current = 0;
    uint32_t max_speed = 0;
    RecordCursor cursor(file_bytes, options.force20byte);
    RawRecord raw;
    while (cursor.next(raw)) {
        const uint32_t speed = w1_speed(raw.w1);
        if (speed <= static_cast<uint32_t>(kMaxValidSpeed)) current = speed;
        if (current > max_speed) max_speed = current;
        if (!has_columns) continue;
        // The time word's hour field holds up to 31: such a record lies past
        // the last column and is left out rather than written past the arrays.
        const size_t column = static_cast<size_t>(speed_chart_column(w3_time_of_day(raw.w3), width));
        if (column >= columns) {
            ++chart.off_chart_records;
            continue;
        }
        sums[column] += current;
        ++counts[column];
    }

    chart.max_speed = static_cast<int>(max_speed);
    chart.values.assign(columns, 0);
    chart.tops.assign(columns, height);
    for (size_t x = 0; x < columns; ++x) {
        if (counts[x] > 0) chart.values[x] = static_cast<int>(sums[x] / counts[x]);
        chart.tops[x] = speed_chart_bar_top(chart.values[x], height);
    }
    return chart;
}

std::string speed_chart_title(const std::string& path, int max_speed) {
    return c_format(" %s - Maximálna rýchlosť: %d km/h", path.c_str(), max_speed);
}

}  // namespace tripdesk::track
