// Logbook text and KML export of a synthetic year (365 day files of 30,000
// 24-byte records each) against plain reading of the same files.
#include "common/atomic_file.h"
#include "common/progress.h"
#include "export/kml_export.h"
#include "export/logbook_export.h"
#include "synthetic_year.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

namespace fs = std::filesystem;
using namespace tripdesk;

namespace {

using bench::SyntheticYear;

const SyntheticYear& year() { return bench::synthetic_year(); }

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
