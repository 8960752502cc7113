#include "track/day_analysis.h"

#include <cstdlib>

namespace tripdesk::track {

Tgps_zaznam analyze_day_bytes(std::string_view file_bytes, const DayFileOptions& options) {
    double total = 0.0;
    double private_total = 0.0;
    uint32_t max_speed = 0;
    RecordCursor cursor(file_bytes, options.force20byte);
    RawRecord raw;
    while (cursor.next(raw)) {
        const uint32_t speed = w1_speed(raw.w1);
        if (speed > static_cast<uint32_t>(kMaxValidSpeed)) continue;
        const double step = w2_distance_units_f(raw.w2) * options.koeficient;
        if (step < kMaxStepUnits) {
            total += step;
            if (w1_private(raw.w1)) private_total += step;
        }
        if (speed > max_speed) max_speed = speed;
    }
    Tgps_zaznam z;
    z.Prejd = total / kUnitsPerKm;
    z.PrejdSukr = private_total / kUnitsPerKm;
    z.MaxRych = static_cast<int>(max_speed);
    if (z.MaxRych > kSpeedWarningAbove) z.Pozn = kSpeedWarning;
    return z;
}

Tgps_zaznam AnalyzeDayFile(const std::string& path, const DayFileOptions& options) {
    return analyze_day_bytes(read_day_file(path), options);
}

int count_trip_starts(std::string_view file_bytes, const DayFileOptions& options) {
    int count = 0;
    RecordCursor cursor(file_bytes, options.force20byte);
    RawRecord raw;
    while (cursor.next(raw)) count += static_cast<int>(w1_new_trip(raw.w1));
    return count;
}

int CountTripStarts(const std::string& path, const DayFileOptions& options) {
    return count_trip_starts(read_day_file(path), options);
}

Tgps_record ShiftRecordTime(const Tgps_record& record, int minutes) {
    constexpr int kDay = 24 * 3600;
    const int magnitude = std::abs(minutes);
    const int span = (magnitude / 60) * 3600 + (magnitude % 60) * 60;
    int t = time_of_day(record) + (minutes < 0 ? -span : span);
    t %= kDay;
    if (t < 0) t += kDay;
    Tgps_record shifted = record;
    shifted.Hour = static_cast<uint16_t>(t / 3600);
    shifted.Min = static_cast<uint16_t>((t / 60) % 60);
    shifted.Sec = static_cast<uint16_t>(t % 60);
    return shifted;
}

}  // namespace tripdesk::track
