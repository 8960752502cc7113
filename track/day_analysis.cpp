#include "track/day_analysis.h"

#include <cstdlib>

namespace tripdesk::track {

namespace {

// The running sums of the summary.
template <class Sum>
struct Sums {
    Sum total = 0;
    Sum private_total = 0;
    uint32_t max_speed = 0;
};

// One record: only W1 (speed, private flag) and W2 (distance) take part.
//
// Koeficient 1.0 (the default): every step is a whole number of units, so
// the sums are kept as integers. A double adding whole numbers below 2^53 in
// file order gives exactly the same values, and the integer loop is
// branch-free: a record that is no fix, or a step of 10 km or more, adds 0.
inline void add_record(uint32_t w1, uint32_t w2, double, Sums<uint64_t>& s) {
    const uint32_t speed = w1_speed(w1);
    const bool fix = speed <= static_cast<uint32_t>(kMaxValidSpeed);
    const uint32_t step = w2_distance_units(w2);
    const uint32_t kept = (fix && step < static_cast<uint32_t>(kMaxStepUnits)) ? step : 0;
    s.total += kept;
    s.private_total += w1_private(w1) ? kept : 0;
    const uint32_t counted = fix ? speed : 0;
    s.max_speed = counted > s.max_speed ? counted : s.max_speed;
}

// Any other Koeficient: the steps in double, added in file order.
inline void add_record(uint32_t w1, uint32_t w2, double koeficient, Sums<double>& s) {
    const uint32_t speed = w1_speed(w1);
    if (speed > static_cast<uint32_t>(kMaxValidSpeed)) return;
    const double step = w2_distance_units_f(w2) * koeficient;
    if (step < kMaxStepUnits) {
        s.total += step;
        if (w1_private(w1)) s.private_total += step;
    }
    if (speed > s.max_speed) s.max_speed = speed;
}

// Records `Words` words apart, from byte 32 to the end.
template <int Words, class Sum>
void add_records(const char* p, size_t count, double koeficient, Sums<Sum>& s) {
    for (size_t i = 0; i < count; ++i, p += Words * 4) add_record(load_le32(p), load_le32(p + 4), koeficient, s);
}

template <class Sum>
Sums<Sum> sum_file(std::string_view file_bytes, const DayFileOptions& options) {
    Sums<Sum> s;
    RecordCursor cursor(file_bytes, options.force20byte);
    const size_t record_bytes = static_cast<size_t>(cursor.record_bytes());
    if (file_bytes.size() > kHeaderBytes && (file_bytes.size() - kHeaderBytes) % record_bytes == 0) {
        // Whole records only (every file the tracker writes): a plain strided loop.
        const size_t count = (file_bytes.size() - kHeaderBytes) / record_bytes;
        const char* records = file_bytes.data() + kHeaderBytes;
        if (cursor.has_key())
            add_records<6>(records, count, options.koeficient, s);
        else
            add_records<5>(records, count, options.koeficient, s);
        return s;
    }
    // A cut or padded file: the cursor applies the partial-record rule.
    RawRecord raw;
    while (cursor.next(raw)) add_record(raw.w1, raw.w2, options.koeficient, s);
    return s;
}

template <class Sum>
Tgps_zaznam summary(const Sums<Sum>& s) {
    Tgps_zaznam z;
    z.Prejd = static_cast<double>(s.total) / kUnitsPerKm;
    z.PrejdSukr = static_cast<double>(s.private_total) / kUnitsPerKm;
    z.MaxRych = static_cast<int>(s.max_speed);
    if (z.MaxRych > kSpeedWarningAbove) z.Pozn = kSpeedWarning;
    return z;
}

}  // namespace

Tgps_zaznam analyze_day_bytes(std::string_view file_bytes, const DayFileOptions& options) {
    if (options.koeficient == 1.0) return summary(sum_file<uint64_t>(file_bytes, options));
    return summary(sum_file<double>(file_bytes, options));
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
