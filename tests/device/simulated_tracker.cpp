#include "device/simulated_tracker.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace tripdesk::device::testing {

SimulatedTracker::SimulatedTracker(const std::vector<std::string>& options) {
    char dir_template[] = "/tmp/tracker_sim_XXXXXX";
    if (!::mkdtemp(dir_template)) throw std::runtime_error("mkdtemp failed");
    dir_ = dir_template;
    std::vector<std::string> args{std::string(TRIPDESK_BIN_DIR) + "/tracker_sim", "--stats", dir_ + "/stats",
                                  "--record", dir_ + "/image", "--lifetime-s", "60"};
    args.insert(args.end(), options.begin(), options.end());
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);

    int out[2];
    if (::pipe(out) != 0) throw std::runtime_error("pipe failed");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    const int rc = ::posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    if (rc != 0) {
        ::close(out[0]);
        throw std::runtime_error("cannot start " + args[0]);
    }
    FILE* from_sim = ::fdopen(out[0], "r");
    char line[256] = {};
    if (!std::fgets(line, sizeof line, from_sim)) {
        std::fclose(from_sim);
        throw std::runtime_error("tracker_sim printed no port");
    }
    std::fclose(from_sim);
    port_ = line;
    while (!port_.empty() && (port_.back() == '\n' || port_.back() == '\r')) port_.pop_back();
}

SimulatedTracker::~SimulatedTracker() {
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        int status = 0;
        ::waitpid(pid_, &status, 0);
    }
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
}

int SimulatedTracker::read_stat(const std::string& key) const {
    std::ifstream in(dir_ + "/stats");
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind(key + "=", 0) == 0) return std::atoi(line.c_str() + key.size() + 1);
    }
    return 0;
}

int SimulatedTracker::stat(const std::string& key) const {
    int value = read_stat(key);
    for (int i = 0; i < 20; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        const int again = read_stat(key);
        if (again == value && i >= 1) break;
        value = again;
    }
    return value;
}

std::string SimulatedTracker::recorded_image() const {
    std::ifstream in(dir_ + "/image", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace tripdesk::device::testing
