// Logbook text and KML export of a synthetic year (365 day files of 30,000
// 24-byte records each) against plain reading of the same files.
#include "common/atomic_file.h"
#include "common/progress.h"
#include "export/kml_export.h"
#include "export/logbook_export.h"
#include "track/day_file_writer.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using namespace tripdesk;

namespace {

constexpr int kDays = 365;
constexpr int kRecordsPerDay = 30000;

struct SyntheticYear {
    std::string folder;
    std::vector<std::string> names;
    size_t bytes = 0;
};

// One record every 2 s from 01:00:00, 50 km/h (139 units = 13.9 m a step),
// a new trip every 3,000 records, a private stretch in the afternoon.
std::string synthetic_day(int day, int month) {
    track::DayFileWriter w(track::kMarkerWithKey);
    for (int i = 0; i < kRecordsPerDay; ++i) {
        const int t = 3600 + 2 * i;
        track::RawRecord r;
        r.w1 = track::encode_status(3, i % 3000 == 0, 50, (i / 10) % 360, 8, i > 20000 && i < 24000, 0);
        r.w2 = track::encode_distance(200, 139);
        r.w3 = track::encode_time(8, month, day, t / 3600, (t / 60) % 60, t % 60);
        r.w4 = track::word_from_float(17.0f + 0.00001f * i);
        r.w5 = track::word_from_float(48.0f + 0.00001f * i);
        r.key = 0x00563412;
        w.add(r);
    }
    return w.bytes();
}

const SyntheticYear& year() {
    static const SyntheticYear y = [] {
        SyntheticYear s;
        s.folder = (fs::temp_directory_path() / ("tripdesk_bench_export_" + std::to_string(::getpid()))).string();
        fs::create_directories(s.folder);
        static const int kMonthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        for (int m = 1; m <= 12; ++m) {
            for (int d = 1; d <= kMonthDays[m - 1]; ++d) {
                const std::string name = track::day_file_name(d, m, 10);
                const std::string bytes = synthetic_day(d, m);
                write_file_atomically(s.folder + "/" + name, bytes);
                s.names.push_back(name);
                s.bytes += bytes.size();
            }
        }
        std::atexit([] { fs::remove_all(year().folder); });
        return s;
    }();
    return y;
}

void BM_PlainRead(benchmark::State& state) {
    const auto& y = year();
    for (auto _ : state) {
        size_t total = 0;
        for (const auto& name : y.names) total += read_whole_file(y.folder + "/" + name).size();
        benchmark::DoNotOptimize(total);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * y.bytes));
}

void BM_LogbookExport(benchmark::State& state) {
    const auto& y = year();
    logbook::LogbookExportOptions o;
    o.drive_folder = y.folder;
    o.day_files = y.names;
    o.vehicle_label = "BA-123AB";
    o.output_path = y.folder + "/out/year.TXT";
    fs::create_directories(y.folder + "/out");
    NoProgress progress;
    int lines = 0;
    for (auto _ : state) lines = logbook::export_logbook(o, progress).lines;
    state.counters["lines"] = lines;
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * y.bytes));
}

void BM_KmlExport(benchmark::State& state) {
    const auto& y = year();
    kml::KmlExportOptions o;
    o.drive_folder = y.folder;
    for (size_t i = 0; i < y.names.size(); ++i) o.days.push_back({static_cast<int>(i + 1), y.names[i], "417.00 km"});
    o.output_path = y.folder + "/out/year.KML";
    fs::create_directories(y.folder + "/out");
    NoProgress progress;
    int points = 0;
    for (auto _ : state) points = kml::export_kml(o, progress).points;
    state.counters["points"] = points;
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * y.bytes));
}

BENCHMARK(BM_PlainRead)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_LogbookExport)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_KmlExport)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
