#include "mapweaver/day_track.h"

#include <cmath>
#include <cstdio>

#include "track/day_analysis.h"

namespace tripdesk::mapweaver {

namespace {

bool drawable(float lat, float lon) {
    return std::isfinite(lat) && std::isfinite(lon) && std::fabs(lat) <= 90.0f && std::fabs(lon) <= 180.0f;
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
        if (options.window_start_s && p.time_s < *options.window_start_s) continue;
        if (options.window_end_s && p.time_s > *options.window_end_s) continue;
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
