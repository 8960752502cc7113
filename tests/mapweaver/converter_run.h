#pragma once
// Runs the built converter with an argument list, capturing its stderr.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "common/atomic_file.h"

extern char** environ;

namespace tripdesk::mapweaver::testing {

inline std::string converter() { return std::string(TRIPDESK_BIN_DIR) + "/_gmaps/mapweaver"; }

struct RunResult {
    int status = -1;
    std::string stderr_text;
};

inline RunResult run_converter(std::vector<std::string> args, const std::string& scratch_dir) {
    args.insert(args.begin(), converter());
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    const std::string err = scratch_dir + "/stderr.txt";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = 0;
    RunResult result;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        waitpid(pid, &status, 0);
        result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result.stderr_text = read_whole_file(err);
    }
    posix_spawn_file_actions_destroy(&actions);
    return result;
}

}  // namespace tripdesk::mapweaver::testing
