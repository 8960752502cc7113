#include "mapweaver/day_track.h"

#include <cmath>
#include <cstdio>

#include "track/day_analysis.h"

namespace tripdesk::mapweaver {

namespace {

bool drawable(float lat, float lon) {
    return std::isfinite(lat) && std::isfinite(lon) && std::fabs(lat) <= 90.0f && std::fabs(lon) <= 180.0f;
}

// A window whose start lies after its end runs over midnight (22:00-06:00).
bool inside_window(int time_s, const DayTrackOptions& o) {
    const bool after_start = !o.window_start_s || time_s >= *o.window_start_s;
    const bool before_end = !o.window_end_s || time_s <= *o.window_end_s;
    if (o.window_start_s && o.window_end_s && *o.window_start_s > *o.window_end_s) return after_start || before_end;
    return after_start && before_end;
}

}  // namespace

std::vector<TrackPoint> day_track(const std::vector<track::Tgps_record>& records, const DayTrackOptions& options) {
    std::vector<TrackPoint> points;
    points.reserve(records.size());
    track::TimeSequence sequence(0);
    const int shift_s = options.time_off_half_hours * 1800;
    for (const auto& r : records) {
        const bool in_order = sequence.follows(track::time_of_day(r));
        if (!r.Valid || !in_order || !drawable(r.Lat, r.Lon)) continue;
        TrackPoint p;
        p.time_s = track::time_of_day(r) + shift_s;
        if (!inside_window(p.time_s, options)) continue;
        p.lat = r.Lat;
        p.lon = r.Lon;
        p.speed_kmh = r.Speed;
        p.step_units = r.Trian < track::kMaxStepUnits ? r.Trian : 0.0;
        p.trip_start = r.New != 0;
        p.private_trip = r.Sukr != 0;
        points.push_back(p);
    }
    return points;
}

std::string clock_text(int time_s) {
    const int t = ((time_s % 86400) + 86400) % 86400;
    char text[16];
    std::snprintf(text, sizeof text, "%.2d:%.2d:%.2d", t / 3600, t / 60 % 60, t % 60);
    return text;
}

}  // namespace tripdesk::mapweaver
