#pragma once
// Starts tools/sim/tracker_sim on a fresh pseudo-terminal for one test and
// stops it afterwards; gives the port, the simulator's counters and the
// image it received.
#include <string>
#include <vector>

namespace tripdesk::device::testing {

class SimulatedTracker {
public:
    explicit SimulatedTracker(const std::vector<std::string>& options = {});
    ~SimulatedTracker();
    SimulatedTracker(const SimulatedTracker&) = delete;
    SimulatedTracker& operator=(const SimulatedTracker&) = delete;

    const std::string& port() const { return port_; }
    // A counter of the simulator (0 when absent). The simulator works
    // asynchronously, so this waits up to a second for the counter to stop
    // changing.
    int stat(const std::string& key) const;
    // The pages the simulator accepted, as saved at the end byte.
    std::string recorded_image() const;

private:
    int read_stat(const std::string& key) const;

    int pid_ = -1;
    std::string dir_;
    std::string port_;
};

}  // namespace tripdesk::device::testing
