// The device library's dump conversion (ordering, lines, checksums) of a
// full 8 MiB logger: 512,000 records from a prepared DB.sr.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "devlib/dump.h"
#include "devlib/link.h"
#include "devlib/logger_records.h"

namespace {

void prepare_raw_dump(const std::string& folder) {
    std::string image;
    image.reserve(8192000);
    // A wrapped ring: the newest 100,000 records at the start, a gap of
    // 12,000 erased records, the oldest after it.
    for (size_t i = 0; i < 512000; ++i) {
        image += (i >= 100000 && i < 112000) ? testing_support::erased_record()
                                             : testing_support::record_bytes(testing_support::nth_fix(i));
    }
    std::FILE* f = std::fopen((folder + "/DB.sr").c_str(), "wb");
    std::fwrite(image.data(), 1, image.size(), f);
    std::fclose(f);
    std::filesystem::copy_file(folder + "/DB.sr", folder + "/DB.sr.orig",
                               std::filesystem::copy_options::overwrite_existing);
}

void BM_ConvertFullDump(benchmark::State& state) {
    char pattern[] = "/tmp/bench-devlib-XXXXXX";
    const std::string folder = mkdtemp(pattern);
    prepare_raw_dump(folder);
    if (chdir(folder.c_str()) != 0) state.SkipWithError("chdir failed");
    dlr::use_memory_size(0x800000);
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::copy_file("DB.sr.orig", "DB.sr", std::filesystem::copy_options::overwrite_existing);
        state.ResumeTiming();
        if (dlr::convert_raw_dump("dump.txt") != 2) state.SkipWithError("conversion failed");
    }
    state.counters["text_MB"] = static_cast<double>(std::filesystem::file_size("dump.txt")) / 1e6;
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_ConvertFullDump)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
