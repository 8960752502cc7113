#pragma once
// The inline SVG drawing of the day: track lines in their colours, trip
// starts, stops and a scale bar, projected like web maps (Mercator). It needs
// neither script nor network, so the page shows the day even offline.
#include <string>
#include <vector>

#include "mapweaver/day_track.h"
#include "mapweaver/stops.h"
#include "mapweaver/track_lines.h"

namespace tripdesk::mapweaver {

inline constexpr int kSketchWidth = 960;
inline constexpr int kSketchHeight = 600;

std::string svg_sketch(const std::vector<TrackPoint>& points, const std::vector<LineRun>& runs,
                       const std::vector<Stop>& stops);

}  // namespace tripdesk::mapweaver
