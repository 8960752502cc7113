#pragma once
// Rests and stops of a day. The time between two points counts as rest when
// the earlier point stands still (speed 0), when the later one starts a new
// trip, or when the gap alone is as long as the shortest stop (the tracker
// writes nothing while the ignition is off). Back-to-back rest intervals form
// one rest; a rest of at least the shortest stop is a long rest. A long rest
// with driving before and after it is a stop.
#include <cstddef>
#include <vector>

#include "mapweaver/day_track.h"

namespace tripdesk::mapweaver {

struct Rest {
    size_t arrival = 0;    // index of the point where the rest begins
    size_t departure = 0;  // index of the point where it ends
};

struct Stop {
    int number = 0;  // from 1 within the day
    size_t arrival = 0;
    size_t departure = 0;
    int arrival_s = 0;
    int departure_s = 0;
    double lat = 0.0;  // where the vehicle came to rest
    double lon = 0.0;
    int length_s() const { return departure_s - arrival_s; }
};

// A minimum of 0 is taken as 1 second.
int shortest_stop_s(int min_stop_s);

// Every rest of at least the shortest stop, in order, including those at the
// start and the end of the points.
std::vector<Rest> long_rests(const std::vector<TrackPoint>& points, int min_stop_s);

std::vector<Stop> find_stops(const std::vector<TrackPoint>& points, int min_stop_s);

}  // namespace tripdesk::mapweaver
