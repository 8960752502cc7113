#pragma once
// The page of one day: title, figures, the interactive map, the SVG sketch
// and the stop table, in one self-contained HTML file.
#include <optional>
#include <string>
#include <vector>

#include "mapweaver/day_figures.h"
#include "mapweaver/day_track.h"
#include "mapweaver/stops.h"
#include "mapweaver/track_lines.h"

namespace tripdesk::mapweaver {

// Leaflet's script and style, inlined into every page so a page that is
// mailed or moved still has its map library.
struct MapLibrary {
    std::string script;
    std::string style;
};

// Reads leaflet.js and leaflet.css from the folder; nullopt when either is
// missing or unreadable (the page then has the sketch only).
std::optional<MapLibrary> load_map_library(const std::string& folder);

struct DayPage {
    std::string vehicle_label;
    std::string date_text;    // empty when the day has no date
    std::string window_text;  // empty for the whole day
    std::vector<TrackPoint> points;
    std::vector<LineRun> runs;
    std::vector<Stop> stops;
    DayFigures figures;
    std::string map_key;      // a real key selects Google Maps
};

// The interactive map: Google Maps with a real key, else Leaflet when its
// files are there, else none.
std::string map_page_html(const DayPage& page, const MapLibrary* leaflet);

}  // namespace tripdesk::mapweaver
