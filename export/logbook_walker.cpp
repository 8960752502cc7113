#include "export/logbook_walker.h"

#include "export/logbook_line.h"

#include <cctype>

namespace tripdesk::logbook {

namespace {

// Trip distance under which IgnoreKrat merges a trip into the next: 3 km.
constexpr double kShortTripUnits = 30000.0;

bool digits_match(int value, char tens, char ones) {
    return value >= 0 && value <= 99 && tens == '0' + value / 10 && ones == '0' + value % 10;
}

// The record's date written as a day-file name equals the row's name; only
// the letter case of the extension may differ (imported cards use ".gps").
bool dated_as_file(uint32_t w3, std::string_view name) {
    if (name.size() != 10 || name[6] != '.') return false;
    const std::string_view ext = name.substr(7);
    if (std::toupper(static_cast<unsigned char>(ext[0])) != 'G' ||
        std::toupper(static_cast<unsigned char>(ext[1])) != 'P' ||
        std::toupper(static_cast<unsigned char>(ext[2])) != 'S')
        return false;
    return digits_match(static_cast<int>(track::w3_day(w3)), name[0], name[1]) &&
           digits_match(static_cast<int>(track::w3_month(w3)), name[2], name[3]) &&
           digits_match(static_cast<int>(track::w3_year(w3)) + 2, name[4], name[5]);
}

}  // namespace

LogbookWalker::LogbookWalker(const LogbookRules& rules)
    : rules_(rules), leg_threshold_(rules.resolution_m * 10.0 - 1.0) {}

void LogbookWalker::add_day_file(std::string_view file_bytes, std::string_view file_name, std::string& out) {
    track::RecordCursor cursor(file_bytes, rules_.day_file.force20byte);
    const bool with_key = cursor.has_key();
    bool first_record = true;
    track::TimeSequence sequence(1);  // a first record at 00:00:00 is out of sequence
    track::RawRecord r;
    while (cursor.next(r)) {
        bool trip_start = track::w1_new_trip(r.w1) != 0 || line_counter_ == 0;
        if (rules_.ignore_krat && trip_start && trip_distance_ < kShortTripUnits && line_counter_ > 0)
            trip_start = false;
        const uint32_t is_private = track::w1_private(r.w1);
        if (is_private != previous_private_) trip_start = true;
        previous_private_ = is_private;

        const double step = track::w2_distance_units_f(r.w2) * rules_.day_file.koeficient;
        trip_distance_ += step;
        leg_distance_ += step;

        const bool in_sequence = sequence.follows(track::w3_time_of_day(r.w3));
        // 250 km/h is already out here, unlike in the decoder's rule; no NaN test.
        const bool valid = in_sequence && track::w1_speed(r.w1) < 250 && track::w3_hour(r.w3) < 24 &&
                           track::w3_minute(r.w3) < 60 && track::w3_second(r.w3) < 60 &&
                           dated_as_file(r.w3, file_name);
        if (!valid) continue;

        if (first_record) {
            trip_start = true;
            first_record = false;
        }
        const bool private_code = is_private != 0 && !rules_.ignore_sluz;
        if (trip_start) {
            trip_distance_ = leg_distance_;
            leg_distance_ = 0.0;
            write_line(r, private_code ? kPrivateStart : kBusinessStart, with_key, out);
        } else if (leg_distance_ > leg_threshold_) {
            leg_distance_ = 0.0;
            write_line(r, private_code ? kPrivatePoint : kBusinessPoint, with_key, out);
        }
    }
}

void LogbookWalker::write_line(const track::RawRecord& r, const char* code, bool with_key, std::string& out) {
    LogbookLine line;
    line.number = line_counter_;
    line.code = code;
    line.month_index = track::w3_month_index(r.w3);
    line.day = static_cast<int>(track::w3_day(r.w3));
    line.hour = static_cast<int>(track::w3_hour(r.w3));
    line.minute = static_cast<int>(track::w3_minute(r.w3));
    line.second = static_cast<int>(track::w3_second(r.w3));
    line.years_since_1900 = track::w3_year_since_1900(r.w3);
    line.latitude = track::float_from_word(r.w5);
    line.longitude = track::float_from_word(r.w4);
    line.speed = static_cast<int>(track::w1_speed(r.w1));
    line.distance_km = trip_distance_ / track::kUnitsPerKm;
    line.key = with_key ? logbook_key_text(r.key) : std::string();
    out += format_line(line);
    out += "\r\n";
    ++line_counter_;
}

}  // namespace tripdesk::logbook
