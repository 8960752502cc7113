#pragma once
// Starting the map converter and waiting for it, behind an interface so tests
// can record the argument lists instead of running anything.
#include <string>
#include <vector>

namespace tripdesk {

class Progress;

class ProcessStarter {
public:
    virtual ~ProcessStarter() = default;
    // Runs argv[0] with the arguments argv[1..] and waits for it to end,
    // letting window messages run through progress.pump() meanwhile.
    // Returns the exit status, or -1 when the program could not be started.
    virtual int run_and_wait(const std::vector<std::string>& argv, Progress& progress) = 0;
};

// posix_spawn with standard input from /dev/null (the converter runs without
// a window or console of its own); polls every 50 ms while pumping messages.
class SpawnProcessStarter final : public ProcessStarter {
public:
    int run_and_wait(const std::vector<std::string>& argv, Progress& progress) override;
};

}  // namespace tripdesk
