#pragma once
// Runs the built `tripdesk` command for a test and keeps its exit status and
// both outputs.
#include "common/atomic_file.h"

#include <cstdlib>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace tripdesk::testing {

struct CommandRun {
    int status = -1;
    std::string out;
    std::string err;
};

inline std::string shell_quoted(const std::string& arg) {
    std::string q = "'";
    for (const char c : arg) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

// `scratch` is a folder for the captured outputs.
inline CommandRun run_tripdesk(const std::vector<std::string>& args, const std::string& scratch) {
    std::string command = shell_quoted(std::string(TRIPDESK_BIN_DIR) + "/tripdesk");
    for (const auto& a : args) command += " " + shell_quoted(a);
    const std::string out = scratch + "/stdout.txt";
    const std::string err = scratch + "/stderr.txt";
    command += " >" + shell_quoted(out) + " 2>" + shell_quoted(err);
    CommandRun run;
    const int raw = std::system(command.c_str());
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.out = read_whole_file(out);
    run.err = read_whole_file(err);
    return run;
}

}  // namespace tripdesk::testing
