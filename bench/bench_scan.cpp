// The card scan of a synthetic year (365 day files of 30,000 24-byte records
// each, 263 MB) against `cat` reading the same files from the page cache.
//
// In process: scan_card (what the main window and `tripdesk scan` run)
// against a cat-like loop (open, read in 128 KiB chunks, close). As separate
// programs: the real `tripdesk scan` against the real `cat`, timed by wall
// clock; their CPU time (user + system of the child) is the counter cpu_ms.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/card_scan.h"
#include "common/progress.h"
#include "synthetic_year.h"

extern char** environ;

namespace fs = std::filesystem;
using namespace tripdesk;

namespace {

const bench::SyntheticYear& year() { return bench::synthetic_year(); }

void done(benchmark::State& state) {
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * year().bytes));
}

void BM_ScanCard(benchmark::State& state) {
    app::ScanRequest request;
    request.folder = year().folder;
    request.year = bench::kSyntheticYear;
    request.month = 6;
    const app::ScanTexts texts{"Načítavam", "Počet záznamov:", "vybraných:", " - súbor", " - jednotka"};
    NoProgress progress;
    size_t rows = 0;
    year();
    for (auto _ : state) {
        const app::CardScanResult result = app::scan_card(request, texts, progress);
        rows = result.rows.size();
        benchmark::DoNotOptimize(result.total_km);
    }
    if (rows != year().names.size()) state.SkipWithError("the scan did not list every day");
    done(state);
}

// What cat does with each file: open, read through a 128 KiB buffer, close.
void BM_CatLikeRead(benchmark::State& state) {
    std::vector<char> buffer(128 * 1024);
    year();  // written before the clock runs
    for (auto _ : state) {
        size_t total = 0;
        for (const std::string& name : year().names) {
            const int fd = ::open((year().folder + "/" + name).c_str(), O_RDONLY | O_CLOEXEC);
            if (fd < 0) throw std::runtime_error("open " + name);
            ssize_t n;
            while ((n = ::read(fd, buffer.data(), buffer.size())) > 0) total += static_cast<size_t>(n);
            ::close(fd);
        }
        benchmark::DoNotOptimize(total);
    }
    done(state);
}

// Runs a program with its output to /dev/null; returns its CPU time in ms.
double run_program(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int rc = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) throw std::runtime_error("cannot start " + args[0]);
    int status = 0;
    struct rusage usage {};
    if (::wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error(args[0] + " failed");
    const auto ms = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

void time_program(benchmark::State& state, const std::vector<std::string>& args) {
    double cpu_ms = 0;
    try {
        for (auto _ : state) {
            const auto start = std::chrono::steady_clock::now();
            cpu_ms += run_program(args);
            state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        }
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
        return;
    }
    state.counters["cpu_ms"] = cpu_ms / static_cast<double>(state.iterations());
    done(state);
}

void BM_CatProgram(benchmark::State& state) {
    std::vector<std::string> args{"cat"};
    for (const std::string& name : year().names) args.push_back(year().folder + "/" + name);
    time_program(state, args);
}

void BM_TripdeskScanProgram(benchmark::State& state) {
    if (!fs::exists(TRIPDESK_BIN_DIR "/tripdesk")) {
        state.SkipWithError("tripdesk not built");
        return;
    }
    const std::string home = year().folder + "_home";
    fs::create_directories(home);
    time_program(state, {TRIPDESK_BIN_DIR "/tripdesk", "--home", home, "scan", year().folder, "--date", "2010-06-01"});
    fs::remove_all(home);
}

BENCHMARK(BM_CatLikeRead)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ScanCard)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_CatProgram)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);
BENCHMARK(BM_TripdeskScanProgram)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

}  // namespace
