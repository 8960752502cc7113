// The logger import's conversion of a full 8 MiB dump text (512,000 fixes)
// into day files.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "common/progress.h"
#include "import/dump_conversion.h"

namespace {

// 512,000 fixes one second apart from 1 December 2026 00:00 (six days),
// as the device library writes them.
std::string full_dump_text() {
    std::string text =
        "Tag,$GPGGA,UTC(hhmmss.sss),Latitude,N/S,Longitude,E/W,Fix quality,Fix quality,Horizontal dilution of "
        "position,Altitude,Height of geoid,,Checksum\r\n"
        "Tag,$GPRMC,UTC(hhmmss.sss),A,Latitude,N/S,Longitude,E/W,Speed(knots),Course(degrees),Date(ddmmyy),,"
        "Checksum\r\n";
    text.reserve(80'000'000);
    char line[256];
    for (int i = 0; i < 512000; ++i) {
        const int t = i % 86400, day = 1 + i / 86400;
        const int h = t / 3600, m = t / 60 % 60, s = t % 60;
        const unsigned lat = 91234 + static_cast<unsigned>(i % 5000), lon = 60500 + static_cast<unsigned>(i % 3000);
        std::snprintf(line, sizeof line,
                      "---,$GPGGA,%02d%02d%02d.000,48%02u.%04u,N,017%02u.%04u,E,1,08,00.0,152.0,M,00.0,M,,*00\r\n"
                      "---,$GPRMC,%02d%02d%02d.000,A,48%02u.%04u,N,017%02u.%04u,E,%d.00,0.00,%02d1226,,*00\r\n",
                      h, m, s, lat / 10000, lat % 10000, lon / 10000, lon % 10000, h, m, s, lat / 10000,
                      lat % 10000, lon / 10000, lon % 10000, i % 60, day);
        text += line;
    }
    return text;
}

void BM_ConvertFullDumpText(benchmark::State& state) {
    const std::string text = full_dump_text();
    char pattern[] = "/tmp/bench-import-XXXXXX";
    const std::string folder = mkdtemp(pattern);
    tripdesk::NoProgress progress;
    size_t files = 0;
    for (auto _ : state) files = tripdesk::import::convert_dump_text(text, folder, {}, progress).size();
    state.counters["day_files"] = static_cast<double>(files);
    state.counters["text_MB"] = static_cast<double>(text.size()) / 1e6;
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_ConvertFullDumpText)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
