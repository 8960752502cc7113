#pragma once
// The day's figures shown at the top of the page.
#include <vector>

#include "mapweaver/day_track.h"
#include "mapweaver/stops.h"

namespace tripdesk::mapweaver {

struct DayFigures {
    double distance_km = 0.0;
    double private_km = 0.0;
    int driving_s = 0;        // time between points outside long rests
    int max_speed_kmh = 0;
    double average_kmh = 0.0; // distance over driving time
    int trips = 0;
    int stops = 0;
};

DayFigures day_figures(const std::vector<TrackPoint>& points, int min_stop_s);

}  // namespace tripdesk::mapweaver
