#include "mapweaver/day_figures.h"

#include <algorithm>

#include "track/day_file.h"

namespace tripdesk::mapweaver {

DayFigures day_figures(const std::vector<TrackPoint>& points, int min_stop_s) {
    DayFigures f;
    if (points.empty()) return f;
    const std::vector<Rest> rests = long_rests(points, min_stop_s);
    f.stops = static_cast<int>(find_stops(points, min_stop_s).size());
    f.trips = points.front().trip_start ? 0 : 1;
    size_t rest = 0;
    double units = 0.0, private_units = 0.0;
    for (size_t i = 0; i < points.size(); ++i) {
        const TrackPoint& p = points[i];
        f.max_speed_kmh = std::max(f.max_speed_kmh, p.speed_kmh);
        if (p.trip_start) ++f.trips;
        // The first point's step leads up to it from outside the day's points.
        if (i == 0) continue;
        units += p.step_units;
        if (p.private_trip) private_units += p.step_units;
        while (rest < rests.size() && rests[rest].departure < i) ++rest;
        const bool inside_rest = rest < rests.size() && rests[rest].arrival < i && i <= rests[rest].departure;
        if (!inside_rest) f.driving_s += p.time_s - points[i - 1].time_s;
    }
    f.distance_km = units / track::kUnitsPerKm;
    f.private_km = private_units / track::kUnitsPerKm;
    if (f.driving_s > 0) f.average_kmh = f.distance_km * 3600.0 / f.driving_s;
    return f;
}

}  // namespace tripdesk::mapweaver
