#include "mapweaver/track_lines.h"

#include <algorithm>

namespace tripdesk::mapweaver {

std::vector<size_t> thinned_points(const std::vector<TrackPoint>& points, int resolution_units,
                                   const std::vector<Stop>& stops) {
    std::vector<bool> must(points.size(), false);
    if (points.empty()) return {};
    must.front() = must.back() = true;
    for (size_t i = 0; i < points.size(); ++i) {
        if (points[i].trip_start) must[i] = true;
        if (i > 0 && points[i].private_trip != points[i - 1].private_trip) must[i] = must[i - 1] = true;
    }
    for (const Stop& s : stops) must[s.arrival] = must[s.departure] = true;

    std::vector<size_t> kept;
    double since_kept = 0.0;
    for (size_t i = 0; i < points.size(); ++i) {
        if (i > 0) since_kept += points[i].step_units;
        if (must[i] || since_kept >= resolution_units) {
            kept.push_back(i);
            since_kept = 0.0;
        }
    }
    return kept;
}

std::vector<LineRun> line_runs(const std::vector<TrackPoint>& points, const std::vector<size_t>& kept) {
    std::vector<LineRun> runs;
    for (size_t k = 1; k < kept.size(); ++k) {
        const bool priv = points[kept[k]].private_trip;
        if (runs.empty() || runs.back().private_trip != priv) runs.push_back(LineRun{priv, {kept[k - 1]}});
        runs.back().points.push_back(kept[k]);
    }
    return runs;
}

}  // namespace tripdesk::mapweaver
