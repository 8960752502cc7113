#pragma once
// The record rules of the logbook export: where trips start, which records
// are skipped and how track points are thinned. The state runs across all
// day files of one export (line counter, distances, previous private flag).
#include "track/day_file.h"

#include <string>
#include <string_view>

namespace tripdesk::logbook {

struct LogbookRules {
    int resolution_m = 250;  // a track point once the leg exceeds this many metres
    bool ignore_sluz = true; // private trips written as business ones
    bool ignore_krat = false;// a trip under 3 km does not end at a trip-start flag
    track::DayFileOptions day_file;
};

class LogbookWalker {
public:
    explicit LogbookWalker(const LogbookRules& rules);

    // Appends the lines of one day file (held in memory), each ended by CR LF.
    // `file_name` is the row's day-file name; records dated otherwise are skipped.
    void add_day_file(std::string_view file_bytes, std::string_view file_name, std::string& out);

    int lines_written() const { return line_counter_; }

private:
    void write_line(const track::RawRecord& r, const char* code, bool with_key, std::string& out);

    LogbookRules rules_;
    double leg_threshold_;
    int line_counter_ = 0;
    double trip_distance_ = 0.0;  // 0.1 m units
    double leg_distance_ = 0.0;   // 0.1 m units
    uint32_t previous_private_ = 0;
};

}  // namespace tripdesk::logbook
