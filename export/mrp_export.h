#pragma once
// The dBase logbook export: the trips of the selected day files become rows
// of the accounting program's trip table JAZDY.DBF, one row per trip with
// departure and arrival date, time, place and odometer reading. The vehicle
// is found in AUTA.DBF by its registration plate, or added with a starting
// reading of 0, and the odometer continues from the highest arrival reading
// stored for it. Place names come from the logbook program's catalogues.
//
// Trips start only at records with the New bit; distances are the raw
// record distances (no distance coefficient). Records that fail the
// validity rule are passed over completely: they add no distance, start no
// trip and are never taken as the arrival of a trip. A day file that ends
// while no row is open yet (no trip has started in the run) writes no row,
// but its distance still advances the odometer.
//
// Both tables and their indexes are checked before anything is written; the
// vehicle is then added (and stored) before the trips are read. The trip
// rows are stored together at the end with a rebuilt index; an error before
// then leaves JAZDY.DBF and JAZDY.MDX as they were, so the export can simply
// be run again.
#include <string>
#include <vector>

#include "common/progress.h"
#include "export/dbase/calendar_date.h"
#include "track/day_file.h"

namespace tripdesk::mrp {

inline constexpr const char* kNoSelectedTrips = "Žiadne vybrané jazdy !!!";
inline constexpr const char* kTablesNotFound = "Databázy MRP neboli nájdené !!!";
// The long time format the program uses from the first export on.
inline constexpr const char* kLongTimeFormat = "hh:mm";

struct MrpExportOptions {
    std::string drive_folder;            // current drive: the day files lie here
    std::vector<std::string> day_files;  // names of the selected rows, top to bottom
    std::string vehicle_label;           // registration plate
    std::string databases_folder;        // `DatabasesMRP`
    std::string output_dir_kj;           // `OutputDirKJ`; its parent holds the catalogues
    int time_offset = 2;                 // `TimeOffMRP`, half hours
    bool force20byte = false;            // `Force20byte`
    dbase::CalendarDate today;           // last-update date written into the tables
};

enum class MrpOutcome {
    Exported,
    NoSelectedTrips,  // show kNoSelectedTrips; nothing was read or written
    TablesNotFound,   // show kTablesNotFound; nothing was written
};

struct MrpExportResult {
    MrpOutcome outcome = MrpOutcome::Exported;
    bool vehicle_added = false;
    int trips = 0;          // rows appended to JAZDY.DBF
    double odometer = 0.0;  // reading after the last trip, km
};

// The filter of both tables: SPZ ='label'. A label holding an apostrophe is
// quoted with double quotes instead.
std::string vehicle_filter(const std::string& label);

// Runs the export. Errors of the tables (locked, not understood, an index
// that disagrees, a value a field cannot take) and input/output errors
// (a missing catalogue, an unreadable day file) throw; the tables are then
// left as described above.
MrpExportResult export_mrp(const MrpExportOptions& options, Progress& progress);

}  // namespace tripdesk::mrp
