#pragma once
// One line of the logbook text file that trip-logbook programs import. The
// day-file export and the private-trip export both write it.
#include <optional>
#include <string>

namespace tripdesk::logbook {

// Line codes: trip starts and track points, business and private.
inline constexpr const char* kBusinessStart = "80cf";
inline constexpr const char* kPrivateStart = "a0cf";
inline constexpr const char* kBusinessPoint = "00cf";
inline constexpr const char* kPrivatePoint = "20cf";

// The second header line of every logbook file.
inline constexpr const char* kHeaderConstant = "130";

struct LogbookLine {
    int number = 0;            // 0 for the first record line of the file
    const char* code = kBusinessStart;
    int month_index = 0;       // month - 1, as the record gives it
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int years_since_1900 = 0;
    double latitude = 0.0;
    double longitude = 0.0;
    int speed = 0;
    double distance_km = 0.0;
    // After "04": a blank and the key text. std::nullopt leaves the line
    // ending in "04"; an empty key (20-byte day files) leaves it in "04 ".
    std::optional<std::string> key;
};

// The line without its CR LF, numbers with "." as decimal separator.
std::string format_line(const LogbookLine& line);

// The logbook variant of a driver key: the first three bytes of the key word
// (lowest byte first) as "%.2x" each, followed by "00".
std::string logbook_key_text(unsigned key_word);

}  // namespace tripdesk::logbook
