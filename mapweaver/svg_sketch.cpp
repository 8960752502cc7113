#include "mapweaver/svg_sketch.h"

#include <algorithm>
#include <cmath>

#include "common/c_format.h"
#include "mapweaver/page_colours.h"

namespace tripdesk::mapweaver {

namespace {

constexpr double kMargin = 36.0;
constexpr double kEarthRadiusM = 6371000.0;
constexpr double kPi = 3.14159265358979323846;

double radians(double degrees) { return degrees * kPi / 180.0; }
double mercator_y(double lat) { return std::log(std::tan(kPi / 4 + radians(lat) / 2)); }

// Fits the points into the drawing, keeping the map's proportions.
class Projection {
public:
    explicit Projection(const std::vector<TrackPoint>& points) {
        min_x_ = min_y_ = 1e9;
        double max_x = -1e9, max_y = -1e9, lat_sum = 0.0;
        for (const auto& p : points) {
            const double x = radians(p.lon), y = mercator_y(std::clamp(p.lat, -85.0, 85.0));
            min_x_ = std::min(min_x_, x);
            max_x = std::max(max_x, x);
            min_y_ = std::min(min_y_, y);
            max_y = std::max(max_y, y);
            lat_sum += p.lat;
        }
        const double dx = max_x - min_x_, dy = max_y - min_y_;
        const double w = kSketchWidth - 2 * kMargin, h = kSketchHeight - 2 * kMargin;
        // A single place (or one straight north-south or east-west line) is
        // drawn at a scale of about 2 m per pixel.
        const double fallback = kEarthRadiusM / 2.0;
        scale_ = std::min(dx > 0 ? w / dx : fallback, dy > 0 ? h / dy : fallback);
        offset_x_ = kMargin + (w - dx * scale_) / 2;
        offset_y_ = kMargin + (h - dy * scale_) / 2;
        max_y_ = max_y;
        metres_per_pixel_ = kEarthRadiusM * std::cos(radians(lat_sum / points.size())) / scale_;
    }
    double x(const TrackPoint& p) const { return offset_x_ + (radians(p.lon) - min_x_) * scale_; }
    double y(const TrackPoint& p) const {
        return offset_y_ + (max_y_ - mercator_y(std::clamp(p.lat, -85.0, 85.0))) * scale_;
    }
    double metres_per_pixel() const { return metres_per_pixel_; }

private:
    double min_x_, min_y_, max_y_ = 0, scale_ = 1, offset_x_ = 0, offset_y_ = 0, metres_per_pixel_ = 1;
};

std::string scale_bar(double metres_per_pixel) {
    // The longest 1-2-5 step that fits into a quarter of the width.
    const double limit = kSketchWidth / 4.0 * metres_per_pixel;
    double metres = 1.0;
    for (double decade = 1.0; decade <= 1e7; decade *= 10) {
        for (const double f : {1.0, 2.0, 5.0}) {
            if (f * decade <= limit) metres = f * decade;
        }
    }
    const double px = metres / metres_per_pixel;
    const std::string label = metres >= 1000 ? c_format("%g km", metres / 1000) : c_format("%g m", metres);
    const double y = kSketchHeight - 14.0;
    return c_format(
        "<g class=\"scale\"><path d=\"M16 %.1f v6 h%.1f v-6\" fill=\"none\" stroke=\"#495057\" stroke-width=\"2\"/>"
        "<text x=\"%.1f\" y=\"%.1f\" text-anchor=\"middle\">%s</text></g>\n",
        y - 6, px, 16 + px / 2, y - 10, label.c_str());
}

}  // namespace

std::string svg_sketch(const std::vector<TrackPoint>& points, const std::vector<LineRun>& runs,
                       const std::vector<Stop>& stops) {
    std::string svg = c_format(
        "<svg id=\"sketch\" xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 %d %d\" role=\"img\" "
        "aria-label=\"Náčrt trasy\">\n<rect class=\"paper\" width=\"%d\" height=\"%d\" fill=\"#f4f6f8\"/>\n",
        kSketchWidth, kSketchHeight, kSketchWidth, kSketchHeight);
    if (points.empty()) {
        svg += c_format("<text x=\"%d\" y=\"%d\" text-anchor=\"middle\" class=\"empty\">Žiadne platné záznamy</text>\n",
                        kSketchWidth / 2, kSketchHeight / 2);
        return svg + "</svg>\n";
    }
    const Projection proj(points);
    for (const LineRun& run : runs) {
        svg += c_format("<polyline class=\"track %s\" fill=\"none\" stroke=\"%s\" stroke-width=\"5\" "
                        "stroke-linejoin=\"round\" stroke-linecap=\"round\" points=\"",
                        run.private_trip ? "private" : "business",
                        run.private_trip ? kPrivateColour : kBusinessColour);
        for (size_t k = 0; k < run.points.size(); ++k) {
            const TrackPoint& p = points[run.points[k]];
            svg += c_format(k ? " %.1f,%.1f" : "%.1f,%.1f", proj.x(p), proj.y(p));
        }
        svg += "\"/>\n";
    }
    for (size_t i = 0; i < points.size(); ++i) {
        if (i != 0 && !points[i].trip_start) continue;
        svg += c_format("<circle class=\"trip-start\" cx=\"%.1f\" cy=\"%.1f\" r=\"6\" fill=\"%s\" stroke=\"#fff\" "
                        "stroke-width=\"2\"><title>Začiatok jazdy %s</title></circle>\n",
                        proj.x(points[i]), proj.y(points[i]), kTripStartColour, clock_text(points[i].time_s).c_str());
    }
    for (const Stop& s : stops) {
        const TrackPoint& p = points[s.arrival];
        svg += c_format("<g class=\"stop\"><circle cx=\"%.1f\" cy=\"%.1f\" r=\"10\" fill=\"%s\" stroke=\"#fff\" "
                        "stroke-width=\"2\"/><text x=\"%.1f\" y=\"%.1f\" text-anchor=\"middle\" fill=\"#fff\">%d</text>"
                        "<title>Zastavenie %d: %s – %s</title></g>\n",
                        proj.x(p), proj.y(p), kStopColour, proj.x(p), proj.y(p) + 4, s.number, s.number,
                        clock_text(s.arrival_s).c_str(), clock_text(s.departure_s).c_str());
    }
    const TrackPoint& last = points.back();
    svg += c_format("<rect class=\"day-end\" x=\"%.1f\" y=\"%.1f\" width=\"12\" height=\"12\" fill=\"#212529\" "
                    "stroke=\"#fff\" stroke-width=\"2\"><title>Posledný záznam %s</title></rect>\n",
                    proj.x(last) - 6, proj.y(last) - 6, clock_text(last.time_s).c_str());
    svg += scale_bar(proj.metres_per_pixel());
    return svg + "</svg>\n";
}

}  // namespace tripdesk::mapweaver
