// Drawing the speed chart of a full day (50,000 records) into a strip label,
// as the trip grid does on every selection change: read, columns, picture,
// label. Offscreen Qt platform.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <QApplication>
#include <QLabel>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/ui/speed_chart_view.h"
#include "common/atomic_file.h"
#include "track/day_file.h"
#include "track/day_file_writer.h"
#include "track/speed_chart.h"

namespace fs = std::filesystem;
using namespace tripdesk;

namespace {

// A full day: 50,000 records spread over the 24 hours, speeds rising and
// falling between 0 and 140 km/h, a non-fix (speed 2047) every 500th record.
constexpr int kRecords = 50000;

std::string full_day() {
    track::DayFileWriter w(track::kMarkerWithKey);
    for (int i = 0; i < kRecords; ++i) {
        const int t = static_cast<int>(static_cast<int64_t>(i) * 86400 / kRecords);
        const int speed = i % 500 == 499 ? 2047 : (i / 7) % 141;
        track::RawRecord r;
        r.w1 = track::encode_status(3, 0, static_cast<uint32_t>(speed), 90, 8, 0, 0);
        r.w2 = track::encode_distance(200, 100);
        r.w3 = track::encode_time(8, 3, 15, t / 3600, (t / 60) % 60, t % 60);
        r.w4 = track::word_from_float(17.1f);
        r.w5 = track::word_from_float(48.1f);
        r.key = 0x00563412;
        w.add(r);
    }
    return w.bytes();
}

const std::string& day_path() {
    static const std::string path = [] {
        const std::string folder =
            (fs::temp_directory_path() / ("tripdesk_bench_chart_" + std::to_string(::getpid()))).string();
        fs::create_directories(folder);
        const std::string p = folder + "/150310.GPS";
        write_file_atomically(p, full_day());
        static std::string to_remove = folder;
        std::atexit([] { fs::remove_all(to_remove); });
        return p;
    }();
    return path;
}

// The whole draw into a label of width x height (the strip of the designed
// window is 564 x 110; a maximised window on a 1920-pixel screen about 1440 x 110).
void BM_DrawSpeedChart(benchmark::State& state) {
    QLabel strip;
    strip.resize(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) ui::draw_speed_chart(strip, day_path(), {});
    state.counters["records"] = kRecords;
}

// The parts: the columns from memory, and the picture from the columns.
void BM_SpeedChartColumns(benchmark::State& state) {
    const std::string bytes = track::read_day_file(day_path());
    for (auto _ : state) {
        auto chart = track::compute_speed_chart(bytes, {}, 1440, 110);
        benchmark::DoNotOptimize(chart.values.data());
    }
}

void BM_SpeedChartPicture(benchmark::State& state) {
    const std::string bytes = track::read_day_file(day_path());
    const auto chart = track::compute_speed_chart(bytes, {}, 1440, 110);
    const QString title = QString::fromStdString(track::speed_chart_title(day_path(), chart.max_speed));
    for (auto _ : state) {
        QImage image = ui::render_speed_chart(chart, title);
        benchmark::DoNotOptimize(image.constBits());
    }
}

BENCHMARK(BM_DrawSpeedChart)->Args({564, 110})->Args({1440, 110})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SpeedChartColumns)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SpeedChartPicture)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
