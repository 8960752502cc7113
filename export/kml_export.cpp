#include "export/kml_export.h"

#include "common/atomic_file.h"
#include "common/c_format.h"
#include "export/file_extension.h"
#include "export/number_text.h"
#include "track/path_lookup.h"

namespace tripdesk::kml {

namespace {

void append_placemark_head(std::string& out, const KmlDay& day) {
    out += "<Placemark>\r\n<TimeStamp>\r\n  <when>";
    out += iso_date_of_day_file(day.file_name);
    out += "</when>\r\n</TimeStamp>\r\n<description>\r\n  Trasa: ";
    out += day.distance_cell;
    out += " \r\n</description>\r\n<name>";
    out += day.file_name;
    out += "</name>\r\n<visibility>1</visibility>\r\n<open>0</open>\r\n<Style>\r\n  <LineStyle>\r\n    <color>";
    out += row_colour(day.grid_row);
    out += "</color>\r\n    <width>4.0</width>\r\n  </LineStyle>\r\n</Style>\r\n<LineString>\r\n"
           "  <extrude>1</extrude>\r\n  <tessellate>1</tessellate>\r\n  <coordinates>\r\n";
}

constexpr const char* kPlacemarkTail = "  </coordinates>\r\n</LineString>\r\n</Placemark>\r\n";

// Appends one coordinates line per record whose leg exceeds the threshold.
int append_points(std::string& out, std::string_view bytes, double threshold, const track::DayFileOptions& o) {
    track::RecordCursor cursor(bytes, o.force20byte);
    track::RawRecord r;
    double leg = 0.0;
    int points = 0;
    while (cursor.next(r)) {
        leg += track::w2_distance_units_f(r.w2) * o.koeficient;
        if (leg > threshold) {
            out += "  ";
            exports::append_fixed(out, track::float_from_word(r.w4), 9, 6);
            out += ',';
            exports::append_fixed(out, track::float_from_word(r.w5), 9, 6);
            out += ",0\r\n";
            leg = 0.0;
            ++points;
        }
    }
    return points;
}

}  // namespace

std::string iso_date_of_day_file(std::string_view name) {
    auto part = [&](size_t pos) { return std::string(name.substr(std::min(pos, name.size()), 2)); };
    return "20" + part(4) + "-" + part(2) + "-" + part(0);
}

const char* row_colour(int grid_row) {
    static constexpr const char* kColours[3] = {"ffff5500", "ff00aaff", "ff7f00ff"};
    return kColours[((grid_row % 3) + 3) % 3];
}

std::string with_kml_extension(const std::string& name) {
    return exports::with_extension(name, ".KML");
}

KmlExportResult export_kml(const KmlExportOptions& o, Progress& progress) {
    KmlExportResult result;
    result.path = with_kml_extension(o.output_path);
    result.selection_name = o.selection_name;
    progress.title("Export záznamov do KML ...");
    progress.maximum(static_cast<int>(o.days.size()));

    AtomicFile file(result.path);
    const std::string first_date = o.days.empty() ? std::string() : iso_date_of_day_file(o.days.front().file_name);
    const std::string last_date = o.days.empty() ? std::string() : iso_date_of_day_file(o.days.back().file_name);
    file.write("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
               "<kml xmlns=\"http://earth.google.com/kml/2.0\">\r\n"
               "<Document>\r\n<TimeSpan><begin>" + first_date + "</begin></TimeSpan>\r\n");

    const double threshold = o.resolution_m * 10.0 - 1.0;
    std::string chunk;
    for (const auto& day : o.days) {
        progress.status(
            c_format(" - spracovanie súboru: \"%s\" ...", track::join_path(o.drive_folder, day.file_name).c_str()));
        progress.step();
        progress.pump();
        chunk.clear();
        append_placemark_head(chunk, day);
        result.points += append_points(chunk, track::read_day_file(track::resolve_ignoring_case(o.drive_folder, day.file_name)), threshold, o.day_file);
        chunk += kPlacemarkTail;
        file.write(chunk);
    }
    file.write("<TimeSpan><end>" + last_date + "</end></TimeSpan>\r\n</Document>\r\n</kml>\r\n");
    file.commit();
    progress.status(" - exportovanie záznamov do Google Earth (KML) dokončené ...");
    return result;
}

}  // namespace tripdesk::kml
