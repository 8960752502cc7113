#pragma once
// The lines drawn for a day: the points thinned to the resolution, split
// where the trip changes between business and private.
#include <cstddef>
#include <vector>

#include "mapweaver/day_track.h"
#include "mapweaver/stops.h"

namespace tripdesk::mapweaver {

// Indexes of the points kept: a point is kept once the distance travelled
// since the last kept point reaches the resolution (0.1 m units; 0 keeps
// every point). The first and last points, trip starts, the ends of every
// stop and both sides of a business/private change are always kept.
std::vector<size_t> thinned_points(const std::vector<TrackPoint>& points, int resolution_units,
                                   const std::vector<Stop>& stops);

struct LineRun {
    bool private_trip = false;
    std::vector<size_t> points;  // indexes into the day's points, two or more
};

// Consecutive kept points joined into runs of one colour; the line between
// two kept points takes the colour of the later one.
std::vector<LineRun> line_runs(const std::vector<TrackPoint>& points, const std::vector<size_t>& kept);

}  // namespace tripdesk::mapweaver
