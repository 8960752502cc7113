#include "import/dump_conversion.h"

#include <climits>
#include <cmath>
#include <cstdlib>
#include <map>

#include "common/atomic_file.h"
#include "common/c_format.h"
#include "track/day_file_writer.h"

namespace tripdesk::import {

namespace {

using track::Tgps_record;

constexpr double kEarthRadiusKm = 6378.0;
constexpr double kPi = 3.14159265358979323846;
constexpr int kTripGapSeconds = 20;

// Up to max_fields fields of a line split at commas (1-based in the callers).
std::vector<std::string_view> split_fields(std::string_view line) {
    std::vector<std::string_view> fields;
    size_t start = 0;
    for (;;) {
        const size_t comma = line.find(',', start);
        if (comma == std::string_view::npos) {
            fields.push_back(line.substr(start));
            return fields;
        }
        fields.push_back(line.substr(start, comma - start));
        start = comma + 1;
    }
}

// Characters [from, from + count) of a field as an integer; 0 when absent.
int digits(std::string_view field, size_t from, size_t count) {
    int v = 0;
    for (size_t i = from; i < from + count && i < field.size(); ++i) {
        if (field[i] < '0' || field[i] > '9') break;
        v = v * 10 + (field[i] - '0');
    }
    return v;
}

// A decimal number with "." as separator, whatever the locale.
double number(std::string_view text) {
    double v = 0.0;
    double scale = 0.0;
    bool negative = false;
    for (char c : text) {
        if (c == '-' && v == 0.0 && scale == 0.0) {
            negative = true;
        } else if (c == '.' && scale == 0.0) {
            scale = 1.0;
        } else if (c >= '0' && c <= '9') {
            if (scale == 0.0) {
                v = v * 10 + (c - '0');
            } else {
                scale /= 10;
                v += (c - '0') * scale;
            }
        } else {
            break;
        }
    }
    return negative ? -v : v;
}

// Halves go to the even neighbour (the default rounding mode). A damaged line
// can hold a number beyond the int range: it stops at the range's ends.
int round_even(double v) {
    const double r = std::nearbyint(v);
    if (r >= static_cast<double>(INT_MAX)) return INT_MAX;
    if (r <= static_cast<double>(INT_MIN)) return INT_MIN;
    return static_cast<int>(r);
}

float coordinate(std::string_view field, size_t degree_digits, std::string_view hemisphere, char negative) {
    const double degrees = digits(field, 0, degree_digits);
    const double minutes = number(field.substr(std::min(field.size(), degree_digits), 7));
    float value = static_cast<float>(degrees + minutes / 60.0);
    if (hemisphere.size() == 1 && hemisphere[0] == negative) value = -value;
    return value;
}

bool same_date(const Tgps_record& a, const Tgps_record& b) {
    return a.Day == b.Day && a.Month == b.Month && a.Year == b.Year;
}

// Two-digit year of the dump line (the record keeps it minus 2).
int name_year(const Tgps_record& r) { return (r.Year + 2) & 0x3F; }

std::string day_file_name_of(const Tgps_record& r) {
    return c_format("%.2d%.2d%.2d.gps", r.Day, r.Month, name_year(r));
}

track::RawRecord pack(const Tgps_record& r) {
    track::RawRecord raw;
    raw.w1 = track::encode_status(r.Mod, r.New, static_cast<uint32_t>(r.Speed), static_cast<uint32_t>(r.Crs), r.Sats,
                                  0, r.Tag);
    raw.w2 = track::encode_distance(0, static_cast<uint32_t>(r.Trian));
    raw.w3 = track::encode_time(r.Year, r.Month, r.Day, r.Hour, r.Min, r.Sec);
    raw.w4 = track::word_from_float(r.Lon);
    raw.w5 = track::word_from_float(r.Lat);
    return raw;
}

// Trip start by time: a pause of 20 s or more. A time that goes back by as
// much also starts a trip, since the two fixes cannot belong to one drive.
bool starts_trip_by_time(const Tgps_record& previous, const Tgps_record& current) {
    const bool formed = previous.Hour < 24 && previous.Min < 60 && previous.Sec < 60 && current.Hour < 24 &&
                        current.Min < 60 && current.Sec < 60;
    if (!formed) return false;
    return std::abs(track::time_of_day(current) - track::time_of_day(previous)) >= kTripGapSeconds;
}

// The day files of one conversion. A file is made when its day first
// appears; a day that comes back later in the dump (dates that go back) is
// appended to, so its earlier fixes are not replaced by the later ones. Every
// file is written at the end, each replacing a file of an earlier import.
class DayFileSink {
public:
    DayFileSink(std::string folder, std::vector<std::string>& written) : folder_(std::move(folder)), written_(written) {}

    void open(const std::string& name) {
        auto [it, made] = files_.try_emplace(name, track::kMarkerImported, track::kImportFormatStamp);
        if (made) order_.push_back(name);
        current_ = &it->second;
    }
    void add(const Tgps_record& r) { current_->add(pack(r)); }
    void close() {
        for (const std::string& name : order_) {
            files_.at(name).save(folder_ + name);
            written_.push_back(name);
        }
        files_.clear();
        order_.clear();
        current_ = nullptr;
    }

private:
    std::string folder_;
    std::vector<std::string>& written_;
    std::map<std::string, track::DayFileWriter> files_;
    std::vector<std::string> order_;  // names in the order their days appeared
    track::DayFileWriter* current_ = nullptr;
};

class LineReader {
public:
    explicit LineReader(std::string_view text) : text_(text) {}
    bool next(std::string_view& line) {
        if (pos_ >= text_.size()) return false;
        size_t end = text_.find('\n', pos_);
        if (end == std::string_view::npos) end = text_.size();
        line = text_.substr(pos_, end - pos_);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        pos_ = end + 1;
        return true;
    }
    size_t position() const { return std::min(pos_, text_.size()); }

private:
    std::string_view text_;
    size_t pos_ = 0;
};

bool is_rmc(std::string_view line) { return line.size() >= 10 && line.substr(4, 6) == "$GPRMC"; }

// Reads lines up to the next $GPRMC line and parses it.
bool next_fix(LineReader& reader, Tgps_record& fix) {
    std::string_view line;
    while (reader.next(line)) {
        if (is_rmc(line) && parse_rmc_line(line, fix)) return true;
    }
    return false;
}

}  // namespace

bool parse_rmc_line(std::string_view line, Tgps_record& fix) {
    if (!is_rmc(line)) return false;
    const std::vector<std::string_view> f = split_fields(line);
    auto field = [&](size_t n) { return n <= f.size() ? f[n - 1] : std::string_view(); };
    fix = Tgps_record{};
    fix.TagText = std::string(line.substr(0, 3));
    fix.Tag = fix.TagText == "!!!" ? 1 : 0;
    fix.Hour = static_cast<uint16_t>(digits(field(3), 0, 2));
    fix.Min = static_cast<uint16_t>(digits(field(3), 2, 2));
    fix.Sec = static_cast<uint16_t>(digits(field(3), 4, 2));
    fix.Day = static_cast<uint16_t>(digits(field(11), 0, 2));
    fix.Month = static_cast<uint16_t>(digits(field(11), 2, 2));
    // Kept to the six bits of the field: years 00 and 01 become 62 and 63.
    fix.Year = static_cast<uint16_t>((digits(field(11), 4, 2) - 2) & 0x3F);
    fix.Lat = coordinate(field(5), 2, field(6), 'S');
    fix.Lon = coordinate(field(7), 3, field(8), 'W');
    fix.Speed = round_even(number(field(9)) * 1.852);
    fix.Crs = round_even(number(field(10)));
    fix.Mod = 3;
    fix.Sats = 9;
    return true;
}

double spherical_distance_km(const Tgps_record& a, const Tgps_record& b) {
    const double rad = kPi / 180.0;
    const double phi1 = a.Lat * rad, phi2 = b.Lat * rad;
    const double lambda1 = a.Lon * rad, lambda2 = b.Lon * rad;
    const double c = std::cos(phi1) * std::cos(phi2) * std::cos(lambda1 - lambda2) + std::sin(phi1) * std::sin(phi2);
    const double d = kEarthRadiusKm * std::acos(c);
    return std::isfinite(d) ? d : 0.0;
}

std::vector<std::string> convert_dump_text(std::string_view text, const std::string& vehicle_folder,
                                           const ConversionOptions& options, Progress& progress) {
    const double multiplier = options.multiplier == 0.0 ? 1.0 : options.multiplier;
    std::string folder = vehicle_folder;
    if (!folder.empty() && folder.back() != '/') folder += '/';
    std::vector<std::string> written;
    DayFileSink sink(folder, written);
    auto keep = [&](const Tgps_record& r) {
        return !options.working_hours_only || (r.Hour >= options.first_hour && r.Hour <= options.last_hour);
    };

    LineReader reader(text);
    std::string_view line;
    bool have_line = reader.next(line);
    while (have_line && line.substr(0, 3) == "Tag") have_line = reader.next(line);

    Tgps_record current;
    bool first = have_line && is_rmc(line) && parse_rmc_line(line, current);
    if (have_line && !first) first = next_fix(reader, current);
    if (!first) {
        sink.open(kNoFixFileName);
        sink.close();
        return written;
    }
    current.New = 1;
    sink.open(day_file_name_of(current));
    if (keep(current)) sink.add(current);

    int last_percent = -1;
    Tgps_record previous;
    for (;;) {
        const int percent = text.empty() ? 100 : round_even(100.0 * reader.position() / text.size());
        if (percent != last_percent) {
            progress.position(percent);
            if (percent % 5 == 0) progress.pump();
            last_percent = percent;
        }
        previous = current;
        if (!next_fix(reader, current)) break;
        if (options.tag_mode) {
            if (current.TagText != "---") {
                current.Day = previous.Day;
                current.Month = previous.Month;
                current.Year = previous.Year;
                current.Hour = previous.Hour;
                current.Min = previous.Min;
                current.Sec = previous.Sec;
            } else if (previous.TagText != "---") {
                current.New = 1;
            }
        } else if (starts_trip_by_time(previous, current)) {
            current.New = 1;
        }
        const double units = spherical_distance_km(previous, current) * multiplier * track::kUnitsPerKm;
        current.Trian = units > track::kUnitsPerKm ? 0 : round_even(units);
        if (!same_date(previous, current)) {
            sink.open(day_file_name_of(current));
            current.New = 1;
        }
        if (keep(current)) sink.add(current);
    }
    sink.close();
    progress.position(100);
    return written;
}

std::vector<std::string> convert_dump_file(const std::string& dump_path, const std::string& vehicle_folder,
                                           const ConversionOptions& options, Progress& progress) {
    const std::string text = read_whole_file(dump_path);
    return convert_dump_text(text, vehicle_folder, options, progress);
}

}  // namespace tripdesk::import
