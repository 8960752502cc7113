#include "export/mrp_export.h"

#include <map>
#include <optional>

#include "common/c_format.h"
#include "common/io_error.h"
#include "export/dbase/indexed_table.h"
#include "export/long_time_format.h"
#include "track/day_analysis.h"
#include "track/path_lookup.h"
#include "track/place_catalogue.h"

namespace tripdesk::mrp {
namespace {

// Place names by the nearest catalogue place, each name read once.
class Places {
public:
    explicit Places(std::string folder) : folder_(std::move(folder)), map_(track::PlaceMap::load(folder_)) {
        // The names file is read while trips are written; a missing one must
        // stop the export before anything is stored.
        if (!track::find_ignoring_case(folder_, "NAZVY.KJ"))
            throw IoError(track::join_path(folder_, "NAZVY.KJ") + ": No such file or directory");
    }

    std::string nearest(const track::Tgps_record& r) {
        const int id = map_.nearest(r.Lat, r.Lon);
        auto it = names_.find(id);
        if (it == names_.end()) it = names_.emplace(id, track::place_name(id, folder_)).first;
        return it->second;
    }

private:
    std::string folder_;
    track::PlaceMap map_;
    std::map<int, std::string> names_;
};

dbase::CalendarDate record_date(const track::Tgps_record& r) {
    return {track::calendar_year(r), r.Month, r.Day};
}

std::string record_time(const track::Tgps_record& r) { return c_format("%.2d:%.2d", r.Hour, r.Min); }

std::string odometer_text(double km) { return c_format("%.1f", km); }

// The trip table during the run: the open row and the odometer.
class TripWriter {
public:
    TripWriter(dbase::IndexedTable& trips, const std::string& label, double odometer, Places& places)
        : trips_(trips), label_(label), odometer_(odometer), places_(places) {}

    void add_distance(int units) { distance_ += units; }

    // Adds the distance run since the last close to the odometer and, when a
    // row is open, sets its arrival from `arrival`.
    void close(const track::Tgps_record* arrival) {
        odometer_ += distance_ / track::kUnitsPerKm;
        distance_ = 0;
        if (!open_row_ || !arrival) return;
        dbase::DbfTable& t = trips_.table();
        t.set_date(*open_row_, "DATPRICHOD", record_date(*arrival));
        t.set_text(*open_row_, "CASPRICHOD", record_time(*arrival));
        t.set_text(*open_row_, "TACHKON", odometer_text(odometer_));
        t.set_text(*open_row_, "KAM", places_.nearest(*arrival));
    }

    void open(const track::Tgps_record& departure) {
        dbase::DbfTable& t = trips_.table();
        const size_t row = t.append();
        t.set_text(row, "SPZ", label_);
        t.set_date(row, "DATODCHOD", record_date(departure));
        t.set_text(row, "CASODCHOD", record_time(departure));
        t.set_text(row, "TACHPOC", odometer_text(odometer_));
        t.set_text(row, "ODKIAL", places_.nearest(departure));
        t.set_text(row, "POKRACUJE", "False");
        open_row_ = row;
        ++rows_;
    }

    int rows() const { return rows_; }
    double odometer() const { return odometer_; }

private:
    dbase::IndexedTable& trips_;
    const std::string& label_;
    double odometer_;
    double distance_ = 0;  // 0.1 m units since the last close
    Places& places_;
    std::optional<size_t> open_row_;
    int rows_ = 0;
};

// Finds a table file in the databases folder, whatever the letter case.
std::optional<std::string> table_file(const std::string& folder, const char* name) {
    return track::find_ignoring_case(folder, name);
}

}  // namespace

std::string vehicle_filter(const std::string& label) {
    const char quote = label.find('\'') == std::string::npos ? '\'' : '"';
    if (label.find(quote) != std::string::npos)
        throw IoError("the vehicle label " + label + " holds both kinds of quotes and cannot be looked up");
    return std::string("SPZ =") + quote + label + quote;
}

MrpExportResult export_mrp(const MrpExportOptions& o, Progress& progress) {
    MrpExportResult result;
    if (o.day_files.empty()) {
        result.outcome = MrpOutcome::NoSelectedTrips;
        return result;
    }
    const auto vehicles_dbf = table_file(o.databases_folder, "AUTA.DBF");
    const auto trips_dbf = table_file(o.databases_folder, "JAZDY.DBF");
    if (!vehicles_dbf || !trips_dbf) {
        result.outcome = MrpOutcome::TablesNotFound;
        return result;
    }
    use_hours_minutes_long_time();
    const std::string catalogue_folder = track::logbook_folder(o.output_dir_kj);
    if (catalogue_folder.empty())
        throw IoError("the logbook folder \"" + o.output_dir_kj + "\" has no parent folder holding the place catalogue");
    Places places(catalogue_folder);
    const std::string filter = vehicle_filter(o.vehicle_label);

    progress.title("Pripájanie k databáze ...");
    progress.pump();
    // Every day file is read once before anything is written, so a missing
    // one stops the export with the tables untouched.
    const track::DayFileOptions day_options{1.0, o.force20byte};
    int maximum = 2;
    for (const std::string& name : o.day_files)
        maximum += track::CountTripStarts(track::resolve_ignoring_case(o.drive_folder, name), day_options);

    // Both tables are opened and checked before either is written.
    dbase::IndexedTable vehicles(*vehicles_dbf, track::resolve_ignoring_case(o.databases_folder, "AUTA.MDX"));
    dbase::IndexedTable trips(*trips_dbf, track::resolve_ignoring_case(o.databases_folder, "JAZDY.MDX"));
    double odometer = 0;
    const std::vector<size_t> found = vehicles.filter(filter);
    if (found.empty()) {
        progress.status(" - vozidlo bolo pridané do databázy MRP ...");
        dbase::DbfTable& t = vehicles.table();
        const size_t row = t.append();
        t.set_text(row, "SPZ", o.vehicle_label);
        t.set_number(row, "TACHPOC", 0);
        vehicles.commit(o.today);
        result.vehicle_added = true;
    } else {
        odometer = vehicles.table().number(found.front(), "TACHPOC");
    }
    for (const size_t row : trips.filter(filter)) odometer = std::max(odometer, trips.table().number(row, "TACHKON"));

    progress.maximum(maximum);
    progress.title("Export záznamov do MRP ...");

    TripWriter writer(trips, o.vehicle_label, odometer, places);
    // The last two valid records, carried from one day file to the next.
    std::optional<track::Tgps_record> previous, current;
    for (const std::string& name : o.day_files) {
        progress.status(c_format(" - spracovanie súboru: \"%s\" ...", track::join_path(o.drive_folder, name).c_str()));
        progress.pump();
        const std::string bytes = track::read_day_file(track::resolve_ignoring_case(o.drive_folder, name));
        track::RecordCursor cursor(bytes, o.force20byte);
        track::RawRecord raw;
        while (cursor.next(raw)) {
            const track::Tgps_record decoded = track::decode_record(raw.w1, raw.w2, raw.w3, raw.w4, raw.w5, 0);
            if (!decoded.Valid) continue;
            previous = current;
            current = track::ShiftRecordTime(decoded, o.time_offset * 30);
            writer.add_distance(current->Trian);
            if (!current->New) continue;
            if (writer.rows() > 0) {
                progress.step();
                writer.close(previous ? &*previous : nullptr);
            }
            writer.open(*current);
        }
        progress.step();
        writer.close(current ? &*current : nullptr);
    }

    trips.commit(o.today);
    result.trips = writer.rows();
    result.odometer = writer.odometer();
    progress.position(maximum);
    progress.pause(100);
    progress.status(" - exportovanie záznamov do MRP dokončené ...");
    return result;
}

}  // namespace tripdesk::mrp
