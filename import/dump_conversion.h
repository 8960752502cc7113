#pragma once
// Turns the logger's dump text into day files of a card image: one file per
// calendar day of the $GPRMC fixes, with trip starts by pauses in time or by
// the logger's point tags, distances between fixes, and optionally only the
// fixes of the working hours.
#include <string>
#include <string_view>
#include <vector>

#include "common/progress.h"
#include "track/day_file.h"

namespace tripdesk::import {

struct ConversionOptions {
    double multiplier = 1.0;    // `Koeficient` of the import; 0 counts as 1.0
    bool working_hours_only = false;  // `LenPracovne`
    int first_hour = 7;         // `Prac_od`
    int last_hour = 17;         // `Prac_do`, inclusive
    bool tag_mode = false;      // `PouzitTagy`: trip starts by tags
};

// Name of the day file written for a dump without any fix.
constexpr const char* kNoFixFileName = "000000.gps";

// Parses one $GPRMC line of the dump (tag, sentence, fields split at commas)
// into a fix; false when the line is no $GPRMC line.
bool parse_rmc_line(std::string_view line, track::Tgps_record& fix);

// Kilometres between two fixes on a sphere of radius 6378 km; 0 when the
// arithmetic fails (acos out of its domain).
double spherical_distance_km(const track::Tgps_record& a, const track::Tgps_record& b);

// Converts the dump text held in memory into day files in vehicle_folder
// (which must exist). Each day file is written to a temporary name and
// renamed over an existing one when complete; a day that comes back later in
// the dump is added to its file, not started again. Returns the names
// written, in the order their days first appear. Throws IoError.
std::vector<std::string> convert_dump_text(std::string_view text, const std::string& vehicle_folder,
                                           const ConversionOptions& options, Progress& progress);

// Reads the dump file and converts it; throws IoError.
std::vector<std::string> convert_dump_file(const std::string& dump_path, const std::string& vehicle_folder,
                                           const ConversionOptions& options, Progress& progress);

}  // namespace tripdesk::import
