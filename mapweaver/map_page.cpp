#include "mapweaver/map_page.h"

#include "common/atomic_file.h"
#include "common/c_format.h"
#include "mapweaver/converter_arguments.h"
#include "mapweaver/map_scripts.h"
#include "mapweaver/page_colours.h"
#include "mapweaver/svg_sketch.h"
#include "mapweaver/web_text.h"

namespace tripdesk::mapweaver {

namespace {

const char* const kPageStyle = R"CSS(
:root { color-scheme: light; }
* { box-sizing: border-box; }
body { margin: 0; font-family: "DejaVu Sans", system-ui, sans-serif; color: #212529; background: #e9ecef; }
header { background: #1b2a3a; color: #fff; padding: 18px 28px; }
header h1 { margin: 0; font-size: 26px; letter-spacing: .5px; }
header p { margin: 4px 0 0; color: #c5d0dc; }
main { max-width: 1040px; margin: 0 auto; padding: 18px 20px 32px; }
section { background: #fff; border-radius: 8px; box-shadow: 0 1px 3px rgba(0,0,0,.12); margin-bottom: 18px; padding: 16px 20px; }
h2 { font-size: 17px; margin: 0 0 12px; color: #343a40; }
.figures { display: grid; grid-template-columns: repeat(auto-fit, minmax(150px, 1fr)); gap: 12px; }
.figure { background: #f1f3f5; border-radius: 6px; padding: 10px 12px; }
.figure span { display: block; font-size: 12px; color: #6c757d; text-transform: uppercase; letter-spacing: .4px; }
.figure b { font-size: 22px; }
.figure small { display: block; color: #6c757d; }
#map { height: 480px; border-radius: 6px; background: #dee2e6; }
#map-note { margin: 10px 0 0; color: #a61e4d; }
#sketch { width: 100%; height: auto; display: block; border-radius: 6px; }
#sketch text { font-size: 13px; fill: #495057; }
#sketch .stop text { fill: #fff; font-weight: bold; font-size: 12px; }
#sketch .empty { font-size: 20px; }
.legend { display: flex; flex-wrap: wrap; gap: 18px; margin-top: 10px; font-size: 13px; color: #495057; }
.legend i { display: inline-block; width: 22px; height: 5px; border-radius: 3px; vertical-align: middle; margin-right: 6px; }
.legend i.dot { width: 12px; height: 12px; border-radius: 50%; }
table { border-collapse: collapse; width: 100%; font-size: 14px; }
th, td { text-align: left; padding: 6px 8px; border-bottom: 1px solid #e9ecef; }
th { color: #6c757d; font-weight: normal; }
td.num { font-weight: bold; color: #c2255c; }
.stop-number { background: transparent; border: 0; box-shadow: none; color: #fff; font-weight: bold; padding: 0; }
.stop-number:before { display: none; }
footer { text-align: center; color: #868e96; font-size: 12px; padding-bottom: 20px; }
)CSS";

std::string duration_text(int seconds) {
    return c_format("%d:%.2d:%.2d", seconds / 3600, seconds / 60 % 60, seconds % 60);
}

std::string figure(const char* name, const std::string& value, const std::string& detail = {}) {
    std::string html = "<div class=\"figure\"><span>" + std::string(name) + "</span><b>" + value + "</b>";
    if (!detail.empty()) html += "<small>" + detail + "</small>";
    return html + "</div>\n";
}

std::string figures_section(const DayFigures& f) {
    std::string html = "<section class=\"figures\" id=\"figures\">\n";
    html += figure("Prejdená vzdialenosť", c_format("%.2f km", f.distance_km),
                   f.private_km > 0 ? c_format("z toho súkromne %.2f km", f.private_km) : std::string());
    html += figure("Čas jazdy", duration_text(f.driving_s));
    html += figure("Maximálna rýchlosť", c_format("%d km/h", f.max_speed_kmh));
    html += figure("Priemerná rýchlosť", c_format("%.0f km/h", f.average_kmh));
    html += figure("Jazdy", std::to_string(f.trips));
    html += figure("Zastavenia", std::to_string(f.stops));
    return html + "</section>\n";
}

std::string stops_section(const DayPage& page) {
    std::string html = "<section id=\"stops\"><h2>Zastavenia</h2>\n";
    if (page.stops.empty()) return html + "<p>Žiadne zastavenia.</p></section>\n";
    html += "<table><thead><tr><th>Č.</th><th>Príchod</th><th>Odchod</th><th>Dĺžka státia</th><th>Poloha</th></tr>"
            "</thead><tbody>\n";
    for (const Stop& s : page.stops) {
        html += c_format("<tr><td class=\"num\">%d</td><td>%s</td><td>%s</td><td>%s</td><td>%.5f, %.5f</td></tr>\n",
                         s.number, clock_text(s.arrival_s).c_str(), clock_text(s.departure_s).c_str(),
                         duration_text(s.length_s()).c_str(), s.lat, s.lon);
    }
    return html + "</tbody></table></section>\n";
}

std::string latlon(const TrackPoint& p) { return c_format("[%.6f,%.6f]", p.lat, p.lon); }

std::string track_data_json(const DayPage& page) {
    std::string json = "{\"runs\":[";
    for (size_t r = 0; r < page.runs.size(); ++r) {
        json += r ? ",{" : "{";
        json += page.runs[r].private_trip ? "\"private\":true,\"points\":[" : "\"private\":false,\"points\":[";
        for (size_t k = 0; k < page.runs[r].points.size(); ++k) {
            if (k) json += ',';
            json += latlon(page.points[page.runs[r].points[k]]);
        }
        json += "]}";
    }
    json += "],\"starts\":[";
    bool first = true;
    for (size_t i = 0; i < page.points.size(); ++i) {
        const TrackPoint& p = page.points[i];
        if (i != 0 && !p.trip_start) continue;
        json += first ? "" : ",";
        first = false;
        json += c_format("{\"lat\":%.6f,\"lon\":%.6f,\"time\":%s}", p.lat, p.lon, json_string(clock_text(p.time_s)).c_str());
    }
    json += "],\"stops\":[";
    for (size_t i = 0; i < page.stops.size(); ++i) {
        const Stop& s = page.stops[i];
        json += c_format("%s{\"number\":%d,\"lat\":%.6f,\"lon\":%.6f,\"arrival\":%s,\"departure\":%s,\"length\":%s}",
                         i ? "," : "", s.number, s.lat, s.lon, json_string(clock_text(s.arrival_s)).c_str(),
                         json_string(clock_text(s.departure_s)).c_str(), json_string(duration_text(s.length_s())).c_str());
    }
    json += "]";
    if (!page.points.empty()) {
        const TrackPoint& e = page.points.back();
        json += c_format(",\"end\":{\"lat\":%.6f,\"lon\":%.6f,\"time\":%s}", e.lat, e.lon, json_string(clock_text(e.time_s)).c_str());
    }
    json += c_format(",\"colours\":{\"business\":%s,\"private\":%s,\"stop\":%s,\"start\":%s}}",
                     json_string(kBusinessColour).c_str(), json_string(kPrivateColour).c_str(),
                     json_string(kStopColour).c_str(), json_string(kTripStartColour).c_str());
    return json;
}

std::string legend() {
    return c_format("<div class=\"legend\"><span><i style=\"background:%s\"></i>Služobná jazda</span>"
                    "<span><i style=\"background:%s\"></i>Súkromná jazda</span>"
                    "<span><i class=\"dot\" style=\"background:%s\"></i>Začiatok jazdy</span>"
                    "<span><i class=\"dot\" style=\"background:%s\"></i>Zastavenie</span></div>\n",
                    kBusinessColour, kPrivateColour, kTripStartColour, kStopColour);
}

enum class MapKind { None, Leaflet, Google };

}  // namespace

std::optional<MapLibrary> load_map_library(const std::string& folder) {
    try {
        MapLibrary lib{read_whole_file(folder + "/leaflet.js"), read_whole_file(folder + "/leaflet.css")};
        // The library goes into <script> and <style> elements as it is.
        if (lib.script.find("</script") != std::string::npos || lib.style.find("</style") != std::string::npos) {
            return std::nullopt;
        }
        return lib;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

std::string map_page_html(const DayPage& page, const MapLibrary* leaflet) {
    const MapKind kind = has_map_key(page.map_key) ? MapKind::Google : leaflet ? MapKind::Leaflet : MapKind::None;
    const std::string label = html_escaped(page.vehicle_label);
    std::string title = label;
    if (!page.date_text.empty()) title += " – " + html_escaped(page.date_text);

    std::string html = "<!DOCTYPE html>\n<html lang=\"sk\">\n<head>\n<meta charset=\"utf-8\">\n"
                       "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
                       "<meta name=\"generator\" content=\"MARVEK7 Tripdesk mapweaver\">\n<title>" +
                       title + " – jazdy na mape</title>\n";
    // Leaflet's style first, so the page's own rules can adjust it.
    if (kind == MapKind::Leaflet) html += "<style>\n" + leaflet->style + "\n</style>\n";
    html += std::string("<style>") + kPageStyle + "</style>\n";
    html += "</head>\n<body>\n<header><h1>" + label + "</h1><p>";
    html += page.date_text.empty() ? std::string("Jazdy dňa") : html_escaped(page.date_text);
    if (!page.window_text.empty()) html += " · časové okno " + html_escaped(page.window_text);
    html += "</p></header>\n<main>\n";
    html += figures_section(page.figures);

    if (kind != MapKind::None && !page.points.empty()) {
        html += "<section id=\"map-section\"><h2>Mapa</h2><div id=\"map\"></div><p id=\"map-note\" hidden></p></section>\n";
    }
    html += "<section id=\"sketch-section\"><h2>Náčrt trasy</h2>\n" + svg_sketch(page.points, page.runs, page.stops) +
            legend() + "</section>\n";
    html += stops_section(page);
    html += "</main>\n<footer>Vytvorené programom MARVEK7 Tripdesk</footer>\n";
    html += "<script type=\"application/json\" id=\"track-data\">" + track_data_json(page) + "</script>\n";
    if (kind == MapKind::Leaflet && !page.points.empty()) {
        html += "<script>\n" + leaflet->script + "\n</script>\n<script>" + kLeafletMapScript + "</script>\n";
    } else if (kind == MapKind::Google && !page.points.empty()) {
        html += std::string("<script>") + kGoogleMapScript + "</script>\n";
        html += "<script async src=\"https://maps.googleapis.com/maps/api/js?key=" + url_component(page.map_key) +
                "&amp;callback=initMap\" onerror=\"mapLibraryFailed()\"></script>\n";
    }
    return html + "</body>\n</html>\n";
}

}  // namespace tripdesk::mapweaver
