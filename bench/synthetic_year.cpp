#include "synthetic_year.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "common/atomic_file.h"
#include "track/day_file_writer.h"

namespace fs = std::filesystem;

namespace tripdesk::bench {

std::string synthetic_day(int day, int month) {
    track::DayFileWriter w(track::kMarkerWithKey);
    for (int i = 0; i < kRecordsPerDay; ++i) {
        const int t = 3600 + 2 * i;
        track::RawRecord r;
        r.w1 = track::encode_status(3, i % 3000 == 0, 50, (i / 10) % 360, 8, i > 20000 && i < 24000, 0);
        r.w2 = track::encode_distance(200, 139);
        r.w3 = track::encode_time(kSyntheticYear - 2002, month, day, t / 3600, (t / 60) % 60, t % 60);
        r.w4 = track::word_from_float(17.0f + 0.00001f * i);
        r.w5 = track::word_from_float(48.0f + 0.00001f * i);
        r.key = 0x00563412;
        w.add(r);
    }
    return w.bytes();
}

const SyntheticYear& synthetic_year() {
    static const SyntheticYear y = [] {
        SyntheticYear s;
        s.folder = (fs::temp_directory_path() / ("tripdesk_bench_year_" + std::to_string(::getpid()))).string();
        fs::create_directories(s.folder);
        static const int kMonthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        for (int m = 1; m <= 12; ++m) {
            for (int d = 1; d <= kMonthDays[m - 1]; ++d) {
                const std::string name = track::day_file_name(d, m, kSyntheticYear - 2000);
                const std::string bytes = synthetic_day(d, m);
                write_file_atomically(s.folder + "/" + name, bytes);
                s.names.push_back(name);
                s.bytes += bytes.size();
            }
        }
        // The path is kept in its own static, made before the handler is
        // registered, so it still exists when the handler runs at exit (this
        // year's object is destroyed before then).
        static const std::string to_remove = s.folder;
        std::atexit([] { fs::remove_all(to_remove); });
        return s;
    }();
    return y;
}

}  // namespace tripdesk::bench
