#include "mapweaver/stops.h"

#include <algorithm>

namespace tripdesk::mapweaver {

int shortest_stop_s(int min_stop_s) { return std::max(min_stop_s, 1); }

std::vector<Rest> long_rests(const std::vector<TrackPoint>& points, int min_stop_s) {
    const int shortest = shortest_stop_s(min_stop_s);
    std::vector<Rest> rests;
    size_t i = 1;
    while (i < points.size()) {
        const auto resting = [&](size_t k) {
            return points[k - 1].speed_kmh == 0 || points[k].trip_start ||
                   points[k].time_s - points[k - 1].time_s >= shortest;
        };
        if (!resting(i)) {
            ++i;
            continue;
        }
        Rest rest{i - 1, i};
        while (rest.departure + 1 < points.size() && resting(rest.departure + 1)) ++rest.departure;
        if (points[rest.departure].time_s - points[rest.arrival].time_s >= shortest) rests.push_back(rest);
        i = rest.departure + 1;
    }
    return rests;
}

std::vector<Stop> find_stops(const std::vector<TrackPoint>& points, int min_stop_s) {
    std::vector<Stop> stops;
    for (const Rest& rest : long_rests(points, min_stop_s)) {
        if (rest.arrival == 0 || rest.departure + 1 >= points.size()) continue;
        Stop stop;
        stop.number = static_cast<int>(stops.size()) + 1;
        stop.arrival = rest.arrival;
        stop.departure = rest.departure;
        stop.arrival_s = points[rest.arrival].time_s;
        stop.departure_s = points[rest.departure].time_s;
        stop.lat = points[rest.arrival].lat;
        stop.lon = points[rest.arrival].lon;
        stops.push_back(stop);
    }
    return stops;
}

}  // namespace tripdesk::mapweaver
