#pragma once
// The KML export: the selected day files as one KML 2.0 document, one line
// path per day, days told apart by three alternating colours, points thinned
// by distance. No record is tested for validity here.
#include "common/progress.h"
#include "track/day_file.h"

#include <string>
#include <string_view>
#include <vector>

namespace tripdesk::kml {

// One selected row of the trip grid.
struct KmlDay {
    int grid_row = 1;           // absolute row number, data rows from 1 (picks the colour)
    std::string file_name;      // DDMMYY.GPS (column 1)
    std::string distance_cell;  // column 3, such as "123.46 km"
};

struct KmlExportOptions {
    std::string drive_folder;
    std::vector<KmlDay> days;     // top to bottom
    std::string selection_name;   // the selection without the vehicle, handed back for the e-mail
    std::string output_path;      // chosen name; ".KML" is appended when missing
    int resolution_m = 50;        // `ResolutionKML`
    track::DayFileOptions day_file;
};

struct KmlExportResult {
    std::string path;
    std::string selection_name;
    int points = 0;  // coordinate lines written
};

// "20YY-MM-DD" from a day-file name DDMMYY.GPS.
std::string iso_date_of_day_file(std::string_view file_name);

// Line colour (aabbggrr) of the grid row with this absolute index.
const char* row_colour(int grid_row);

std::string with_kml_extension(const std::string& name);

// Writes the document atomically; throws IoError.
KmlExportResult export_kml(const KmlExportOptions& options, Progress& progress);

}  // namespace tripdesk::kml
