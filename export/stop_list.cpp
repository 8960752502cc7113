#include "export/stop_list.h"

#include <cmath>
#include <ctime>
#include <memory>

#include "common/atomic_file.h"
#include "common/c_format.h"
#include "track/path_lookup.h"

namespace tripdesk::stops {

namespace {

constexpr int kSecondsPerDay = 86400;
// IgnoreKrat: a trip shorter than this (0.1 m units, 3 km) makes no stop.
constexpr double kShortTripUnits = 30000.0;
constexpr const char* kPrivateTrip = "Súkromná jazda !!!";
constexpr const char* kHeader =
    "\"Poradie\";\"Dátum\";\"Začiatok\";\"Koniec\";\"Čas státia\";\"Sekúnd\";\"Čas jazdy\";\"Sekúnd\";"
    "\"Trasa [km]\";\"Sukr. [km]\";\"Priem [km/h]\";\"Max [km/h]\";\"Adresa miesta zastavenia\"";
constexpr const char* kEmptyRow = "\"\";\"\";\"\";\"\";\"\";\"\";\"\";\"\";\"\";\"\";\"\";\"\";\"\"";

// A clock time of day, as the cells show it.
struct Clock {
    int h = 0, m = 0, s = 0;
    int seconds() const { return h * 3600 + m * 60 + s; }
};

// The time-of-day part of a moment or of a difference (whole days dropped).
Clock clock_of(long long seconds) {
    long long t = seconds % kSecondsPerDay;
    if (t < 0) t += kSecondsPerDay;
    return {static_cast<int>(t / 3600), static_cast<int>(t / 60 % 60), static_cast<int>(t % 60)};
}

// The record's date and time in seconds, shifted; the shift may cross midnight.
long long shifted_moment(uint32_t w3, int offset_half_hours) {
    std::tm t{};
    t.tm_year = static_cast<int>(track::w3_year(w3)) + 102;
    t.tm_mon = track::w3_month_index(w3);
    t.tm_mday = static_cast<int>(track::w3_day(w3));
    return static_cast<long long>(timegm(&t)) + track::w3_time_of_day(w3) + offset_half_hours * 1800LL;
}

// "15/03/09" -> "15" + sep + "03" + sep + "2009".
std::string row_date(const std::string& cell, const std::string& sep) {
    auto part = [&](size_t at) { return cell.size() >= at + 2 ? cell.substr(at, 2) : std::string(); };
    return part(0) + sep + part(3) + sep + "20" + part(6);
}

// Walks one day file and writes its stop rows. What runs across files (the
// row distances, the private flag, the stop position) lives in RunState.
struct RunState {
    double row_units = 0;
    double private_units = 0;
    uint32_t previous_private = 0;
    double stop_lat = 0.0;
    double stop_lon = 0.0;
};

class DayFileStops {
public:
    DayFileStops(const StopListOptions& o, RunState& run, AtomicFile& out, geo::AddressLookup& lookup,
                 Progress& progress, const StopListRow& row, std::string date_text)
        : o_(o), run_(run), out_(out), lookup_(lookup), progress_(progress), row_(row),
          date_text_(std::move(date_text)) {
        const std::string& sep = o.decimal_separator;
        decimal_ = sep.empty() ? '.' : sep[0];
    }

    void walk(const std::string& bytes) {
        track::RecordCursor cursor(bytes, o_.day_file.force20byte);
        track::RawRecord raw;
        while (cursor.next(raw)) {
            track::RecordCursor rest = cursor;
            track::RawRecord ignored = raw;
            step(raw, !rest.next(ignored));
        }
    }

private:
    void step(const track::RawRecord& raw, bool last_record) {
        const uint32_t speed = track::w1_speed(raw.w1);
        bool candidate = track::w1_new_trip(raw.w1) || rows_in_file_ == 0;
        speed_sum_ += speed;
        ++speed_count_;
        if (speed > max_speed_) max_speed_ = speed;

        if (o_.ignore_short_trips && candidate && run_.row_units < kShortTripUnits && rows_in_file_ > 0)
            candidate = false;
        const uint32_t priv = track::w1_private(raw.w1);
        if (priv != run_.previous_private) candidate = true;
        run_.previous_private = priv;

        const double units = track::w2_distance_units_f(raw.w2) * o_.day_file.koeficient;
        run_.row_units += units;
        if (priv) run_.private_units += units;

        const double lat = track::float_from_word(raw.w5);
        const double lon = track::float_from_word(raw.w4);
        if (run_.stop_lat == 0.0) run_.stop_lat = lat;
        if (run_.stop_lon == 0.0) run_.stop_lon = lon;

        const bool in_sequence = sequence_.follows(track::w3_time_of_day(raw.w3));
        if (!in_sequence || !valid_fix(raw)) return;

        const long long departure = shifted_moment(raw.w3, o_.time_offset_half_hours);
        const Clock departure_clock = clock_of(departure);
        if (candidate || last_record) {
            const Clock stop = clock_of(departure - previous_valid_);
            const Clock driving = clock_of(previous_valid_ - previous_departure_);
            if (stop.seconds() > o_.min_stop_seconds || last_record) {
                write_row(departure_clock, stop, driving, priv);
                previous_departure_ = departure;
            } else {
                candidate = false;  // too short to list: the trip goes on
            }
        }
        if (!candidate) {
            run_.stop_lat = lat;
            run_.stop_lon = lon;
        }
        arrival_ = departure_clock;
        previous_valid_ = departure;
    }

    bool valid_fix(const track::RawRecord& raw) const {
        if (track::w1_speed(raw.w1) > static_cast<uint32_t>(track::kMaxValidSpeed)) return false;
        if (track::w3_hour(raw.w3) > 23 || track::w3_minute(raw.w3) > 59 || track::w3_second(raw.w3) > 59)
            return false;
        const track::Tgps_record r = track::decode_record(raw);
        return track::record_matches_file_name(r, row_.file_name);
    }

    std::string real(double value) const {
        std::string text = c_format("%0.2f", value);
        for (char& c : text)
            if (c == '.') c = decimal_;
        return text;
    }

    void write_row(const Clock& departure, const Clock& stop, const Clock& driving, uint32_t priv) {
        progress_.status(c_format(" - reverzný geocoding Google Maps: %s zastavenie č: %d ...", date_text_.c_str(),
                                  stop_number_));
        const std::string address =
            !o_.ignore_private && priv
                ? kPrivateTrip
                : lookup_.address(o_.service_key, o_.geo_delay_ms, run_.stop_lat, run_.stop_lon);
        const long average = std::lrint(static_cast<double>(speed_sum_) / speed_count_);
        std::string line = c_format("%.3d;%s;%.2d:%.2d:%.2d;%.2d:%.2d:%.2d;%.2d:%.2d:%.2d;%d;", stop_number_,
                                    date_text_.c_str(), arrival_.h, arrival_.m, arrival_.s, departure.h,
                                    departure.m, departure.s, stop.h, stop.m, stop.s, stop.seconds());
        line += c_format("%.2d:%.2d:%.2d;%d;", driving.h, driving.m, driving.s, driving.seconds());
        line += real(run_.row_units / track::kUnitsPerKm) + ";" + real(run_.private_units / track::kUnitsPerKm) +
                ";" + c_format("%ld;%u;", average, max_speed_);
        line += "\"" + csv_safe_address(address) + "\"\r\n";
        out_.write(line);

        ++stop_number_;
        ++rows_in_file_;
        run_.row_units = 0;
        run_.private_units = 0;
        speed_sum_ = 0;
        speed_count_ = 0;
        max_speed_ = 0;
    }

    const StopListOptions& o_;
    RunState& run_;
    AtomicFile& out_;
    geo::AddressLookup& lookup_;
    Progress& progress_;
    const StopListRow& row_;
    const std::string date_text_;
    char decimal_ = '.';

    int stop_number_ = 1;
    int rows_in_file_ = 0;
    track::TimeSequence sequence_{1};
    long long previous_valid_ = 0;
    long long previous_departure_ = 0;
    Clock arrival_;
    unsigned long long speed_sum_ = 0;
    unsigned long long speed_count_ = 0;
    uint32_t max_speed_ = 0;
};

}  // namespace

StopListFileError::StopListFileError()
    : IoError("Chyba prístupu k súboru !!!\r\nZatvorte EXCEL ak je otvorený.") {}

std::string csv_safe_address(const std::string& address) {
    std::string out;
    if (!address.empty() && std::string_view("=+-@").find(address.front()) != std::string_view::npos) out = "'";
    for (const char c : address) {
        out += c;
        if (c == '"') out += '"';
    }
    return out;
}

void write_stop_list(const std::string& path, const std::string& vehicle, const std::string& folder,
                     const std::vector<StopListRow>& rows, const StopListOptions& options,
                     geo::AddressLookup& lookup, Progress& progress) {
    progress.title("Export zoznamu zastávok ...");
    progress.maximum(static_cast<int>(rows.size()));
    std::unique_ptr<AtomicFile> out;
    try {
        out = std::make_unique<AtomicFile>(path);
    } catch (const IoError&) {
        throw StopListFileError();
    }
    out->write("\"Zoznam zastavení pre vozidlo: " + vehicle + " (" + path + ")\"\r\n");
    out->write(std::string(kHeader) + "\r\n" + kEmptyRow + "\r\n");

    RunState run;
    for (const auto& row : rows) {
        const std::string date_text = row_date(row.date, options.date_separator);
        progress.status(" - spracovanie súboru: \"" + folder + row.file_name + "\" ...");
        progress.step();
        const std::string bytes = track::read_day_file(track::resolve_ignoring_case(folder, row.file_name));
        DayFileStops(options, run, *out, lookup, progress, row, date_text).walk(bytes);
        out->write(std::string(kEmptyRow) + "\r\n");
    }
    try {
        out->commit();
    } catch (const IoError&) {
        throw StopListFileError();
    }
    progress.status(" - exportovanie zoznamu zastavení dokončené ...");
    progress.position(static_cast<int>(rows.size()));
    progress.pause(400);
}

}  // namespace tripdesk::stops
