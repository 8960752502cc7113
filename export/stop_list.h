#pragma once
// The stop list: a semicolon-separated file for a spreadsheet with one row
// per stop of the selected day files (arrival, departure, length of the stop,
// the trip before it with distance and speeds, and the stop's street address
// from reverse geocoding).
#include <string>
#include <vector>

#include "common/io_error.h"
#include "common/progress.h"
#include "export/geocoder.h"
#include "track/day_file.h"

namespace tripdesk::stops {

struct StopListOptions {
    int min_stop_seconds = 110;       // ZastaveniaHTML: shorter stops are not listed
    int time_offset_half_hours = 2;   // TimeOffMRP
    bool ignore_private = true;       // IgnoreSluz: off = private stops get no address lookup
    bool ignore_short_trips = false;  // IgnoreKrat: no stop after a trip under 3 km
    track::DayFileOptions day_file;   // Koeficient, Force20byte
    std::string date_separator = "/";  // DatumDel
    std::string decimal_separator = ".";  // CisloDel: its first character counts
    int geo_delay_ms = 100;           // GeoDelay: pause before each lookup
    std::string service_key;          // GmapsKey
};

// A selected grid row: its date cell ("15/03/09") and day-file name.
struct StopListRow {
    std::string date;
    std::string file_name;
};

// Creating or replacing the output file failed. Its text is the one the
// user sees: the file may be open in a spreadsheet.
class StopListFileError : public IoError {
public:
    StopListFileError();
};

// Writes the stop list of `rows` (day files in `folder`, which ends with a
// separator) into `path`, atomically. Throws StopListFileError when the file
// cannot be written and IoError when a day file cannot be read; either way
// an older file at `path` stays as it was.
void write_stop_list(const std::string& path, const std::string& vehicle, const std::string& folder,
                     const std::vector<StopListRow>& rows, const StopListOptions& options,
                     geo::AddressLookup& lookup, Progress& progress);

// An address as a CSV cell content: double quotes doubled, and a leading
// apostrophe when it starts with a character a spreadsheet reads as a formula.
std::string csv_safe_address(const std::string& address);

}  // namespace tripdesk::stops
