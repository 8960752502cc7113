#include "analysis/record_analysis.h"

#include "common/c_format.h"

#include <cmath>
#include <filesystem>

namespace tripdesk::analysis {

namespace {

constexpr int kOutageSats = 4;
constexpr double kFullSignalSats = 12.0;

}  // namespace

const RowCells& column_headings() {
    static const RowCells headings = {"Rec",   "Date",  "Time", "Mod",      "Sukr",       "New",
                                      "Tag",   "Sats",  "Crs",  "Speed",    "Trian",      "Alt",
                                      "Latitude", "Longtitude", "Dallas"};
    return headings;
}

std::array<int, kColumnCount> column_widths(int grid_width) {
    static constexpr std::array<double, kColumnCount> kFactors = {0.9, 1.2, 1.1, 0.7, 0.7, 0.7, 0.6, 0.7,
                                                                  0.6, 0.9, 0.8, 0.8, 1.4, 1.4, 1.4};
    std::array<int, kColumnCount> widths{};
    const double unit = (grid_width - 27) / 14.0;
    for (int i = 0; i < kColumnCount; ++i) widths[i] = static_cast<int>(std::nearbyint(unit * kFactors[i]));
    return widths;
}

RecordAnalysis analyze_records(std::string_view bytes, const std::string& file_name,
                               const track::DayFileOptions& options) {
    RecordAnalysis a;
    a.file_name = file_name;
    a.file_found = true;
    a.records = track::decode_records(bytes, options);
    track::TimeSequence sequence(0);
    long long sats_sum = 0;
    long long speed_sum = 0;
    Figures& f = a.figures;
    for (const auto& r : a.records) {
        const bool in_sequence = sequence.follows(track::time_of_day(r));
        const bool suspicious = !(r.Valid && in_sequence);
        a.suspicious.push_back(suspicious);
        if (suspicious) ++f.suspicious;
        if (r.Sats < kOutageSats) ++f.outages;
        if (r.Speed > f.max_speed) f.max_speed = r.Speed;
        if (r.New == 1) ++f.splits;
        sats_sum += r.Sats;
        speed_sum += r.Speed;
    }
    f.records = static_cast<int>(a.records.size());
    if (f.records > 0) {
        f.signal_quality = (static_cast<double>(sats_sum) / f.records) / kFullSignalSats * 100.0;
        f.average_sats = static_cast<int>(sats_sum / f.records);
        f.average_speed = static_cast<int>(speed_sum / f.records);
    }
    return a;
}

RecordAnalysis analyze_day_file_records(const std::string& path, const std::string& file_name,
                                        const track::DayFileOptions& options) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        RecordAnalysis missing;
        missing.file_name = file_name;
        return missing;
    }
    return analyze_records(track::read_day_file(path), file_name, options);
}

RowCells row_cells(const track::Tgps_record& r, int index) {
    return {c_format("%.5d", index + 1),
            c_format("%.2d/%.2d/%.2d", r.Day, r.Month, track::two_digit_year(r)),
            c_format("%.2d:%.2d:%.2d", r.Hour, r.Min, r.Sec),
            c_format("%d", r.Mod),
            c_format("%d", r.Sukr),
            c_format("%d", r.New),
            c_format("%d", r.Tag),
            c_format("%d", r.Sats),
            c_format("%d", r.Crs),
            c_format("%d", r.Speed),
            c_format("%d", r.Trian),
            c_format("%d", r.Alt),
            c_format("%3.6f", static_cast<double>(r.Lat)),
            c_format("%3.6f", static_cast<double>(r.Lon)),
            r.Dallas};
}

std::array<std::string, 6> figure_texts(const RecordAnalysis& a) {
    if (!a.file_found) return {"[none]", "", "", "", "", ""};
    const Figures& f = a.figures;
    return {c_format("%s (%d %s)", a.file_name.c_str(), f.records, "zápisov"),
            c_format("%d %s", f.suspicious, "nájdených"),
            c_format("%d %s", f.outages, "výpadkov"),
            c_format("%.2f %s (%d %s)", f.signal_quality, "%", f.average_sats, "satelitov"),
            c_format("%d (%d) %s", f.max_speed, f.average_speed, "km/h"),
            c_format("%d %s", f.splits, "detekovaných")};
}

}  // namespace tripdesk::analysis
