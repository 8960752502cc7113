#pragma once
// Runs a program (usually the built `tripdesk`) in a child process under an
// injected fault: a file-size limit (SIGXFSZ ignored, so a write past the
// limit fails with EFBIG instead of killing the process), and without the
// capability that lets root write into read-only folders, so permission
// faults hit a test run by root as they hit a user.
#include <string>
#include <vector>

namespace tripdesk::faults {

struct Faults {
    long long file_size_limit = -1;  // bytes; -1: no limit
    bool obey_permissions = true;    // drop CAP_DAC_OVERRIDE / CAP_DAC_READ_SEARCH
};

struct ProcessRun {
    int status = -1;  // exit status; -1 when killed by a signal
    int signal = 0;
    std::string out;
    std::string err;
};

// Runs `program` with `args`; outputs go through pipes, which no file-size
// limit touches.
ProcessRun run_program(const std::string& program, const std::vector<std::string>& args, const Faults& faults = {});

// Runs the built tripdesk command.
ProcessRun run_tripdesk(const std::vector<std::string>& args, const Faults& faults = {});

// Applies the faults to the calling process (for a forked child that runs
// the logic itself).
void apply_faults(const Faults& faults);

// Runs `body` in a forked child with the faults applied; its return value
// becomes the exit status (an escaping exception gives 99).
int run_in_child(const Faults& faults, int (*body)(void*), void* context);

}  // namespace tripdesk::faults
