// Day-file decoding and the per-file summary (AnalyzeDayFile) from memory,
// against plain reading of the same bytes: from memory (every word summed)
// and from the page cache (whole-file reads).
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "common/atomic_file.h"
#include "synthetic_year.h"
#include "track/day_analysis.h"
#include "track/day_file.h"

namespace fs = std::filesystem;
using namespace tripdesk;

namespace {

// Sixteen synthetic days (11.5 MB, more than the caches hold), in memory and
// on disk.
constexpr int kDays = 16;

struct Days {
    std::vector<std::string> bytes;
    std::vector<std::string> paths;
    size_t total = 0;
};

const Days& days() {
    static const Days d = [] {
        Days s;
        const std::string folder =
            (fs::temp_directory_path() / ("tripdesk_bench_track_" + std::to_string(::getpid()))).string();
        fs::create_directories(folder);
        for (int i = 1; i <= kDays; ++i) {
            s.bytes.push_back(bench::synthetic_day(i, 3));
            s.paths.push_back(folder + "/" + track::day_file_name(i, 3, 10));
            write_file_atomically(s.paths.back(), s.bytes.back());
            s.total += s.bytes.back().size();
        }
        static std::string to_remove = folder;
        std::atexit([] { fs::remove_all(to_remove); });
        return s;
    }();
    return d;
}

void done(benchmark::State& state) {
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * days().total));
}

// Plain reading from memory: every 32-bit word loaded and summed.
void BM_MemoryWordSum(benchmark::State& state) {
    for (auto _ : state) {
        uint64_t sum = 0;
        for (const std::string& b : days().bytes)
            for (size_t i = 0; i + 4 <= b.size(); i += 4) sum += track::load_le32(b.data() + i);
        benchmark::DoNotOptimize(sum);
    }
    done(state);
}

// Plain reading from the page cache: each file read whole into one buffer.
void BM_PageCacheRead(benchmark::State& state) {
    std::string buffer;
    for (auto _ : state) {
        size_t total = 0;
        for (const std::string& p : days().paths) {
            track::read_day_file_into(p, buffer);
            total += buffer.size();
        }
        benchmark::DoNotOptimize(total);
    }
    done(state);
}

// Every record decoded into a Tgps_record (key text included), one at a time.
void BM_DecodeRecord(benchmark::State& state) {
    for (auto _ : state) {
        for (const std::string& b : days().bytes) {
            track::RecordCursor cursor(b, false);
            track::RawRecord raw;
            while (cursor.next(raw)) {
                track::Tgps_record r = track::decode_record(raw);
                benchmark::DoNotOptimize(r);
            }
        }
    }
    done(state);
}

// decode_records: every record of a day into one vector.
void BM_DecodeRecords(benchmark::State& state) {
    for (auto _ : state) {
        for (const std::string& b : days().bytes) {
            auto records = track::decode_records(b, {});
            benchmark::DoNotOptimize(records.data());
        }
    }
    done(state);
}

// The summary from memory; argument 0 = Koeficient 1.0 (the default), 1 = 1.05.
void BM_AnalyzeDayBytes(benchmark::State& state) {
    const track::DayFileOptions options{state.range(0) ? 1.05 : 1.0, false};
    for (auto _ : state) {
        for (const std::string& b : days().bytes) {
            auto z = track::analyze_day_bytes(b, options);
            benchmark::DoNotOptimize(z);
        }
    }
    done(state);
}

// The same in 20-byte records (Force20byte), the imported cards' layout.
void BM_AnalyzeDayBytes20(benchmark::State& state) {
    const track::DayFileOptions options{1.0, true};
    for (auto _ : state) {
        for (const std::string& b : days().bytes) {
            auto z = track::analyze_day_bytes(b, options);
            benchmark::DoNotOptimize(z);
        }
    }
    done(state);
}

// AnalyzeDayFile as the card scan runs it: read from the page cache, then summarised.
void BM_AnalyzeDayFile(benchmark::State& state) {
    for (auto _ : state) {
        for (const std::string& p : days().paths) {
            auto z = track::AnalyzeDayFile(p, {});
            benchmark::DoNotOptimize(z);
        }
    }
    done(state);
}

BENCHMARK(BM_MemoryWordSum)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PageCacheRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeRecord)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeRecords)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AnalyzeDayBytes)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AnalyzeDayBytes20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AnalyzeDayFile)->Unit(benchmark::kMillisecond);

}  // namespace
