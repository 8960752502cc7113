#pragma once
// The points of one day that the map shows: the day file's valid fixes in
// file order, their times moved by the time offset, cut to the time window.
#include <optional>
#include <vector>

#include "track/day_file.h"

namespace tripdesk::mapweaver {

struct TrackPoint {
    int time_s = 0;          // seconds from the day's midnight after the shift (may leave 0..86399)
    double lat = 0.0;
    double lon = 0.0;
    int speed_kmh = 0;
    double step_units = 0.0; // distance from the previous record in 0.1 m (jumps of 10 km or more count 0)
    bool trip_start = false; // the tracker's new-trip flag
    bool private_trip = false;
};

struct DayTrackOptions {
    int time_off_half_hours = 0;
    // Kept: start <= time_s <= end; with start after end, the window runs
    // over midnight and keeps time_s >= start or time_s <= end.
    std::optional<int> window_start_s;
    std::optional<int> window_end_s;
};

// Keeps a record when it is a valid fix, its time does not go back against
// the record before it (any record, kept or not), its position can be drawn
// (finite, inside the latitude and longitude ranges) and its shifted time
// lies inside the window.
std::vector<TrackPoint> day_track(const std::vector<track::Tgps_record>& records, const DayTrackOptions& options);

// Time of day as hh:mm:ss, wrapped into one day.
std::string clock_text(int time_s);

}  // namespace tripdesk::mapweaver
