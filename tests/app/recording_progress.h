#pragma once
// A progress reporter that records what a long operation reported.
#include <string>
#include <vector>

#include "common/progress.h"

namespace tripdesk::test {

class RecordingProgress : public Progress {
public:
    void title(const std::string& text) override { titles.push_back(text); }
    void maximum(int max) override { maximums.push_back(max); }
    void position(int) override {}
    void step() override { ++steps; }
    void status(const std::string& text) override { statuses.push_back(text); }
    void pump() override { ++pumps; }
    void pause(int ms) override { paused_ms += ms; }

    std::vector<std::string> titles;
    std::vector<int> maximums;
    std::vector<std::string> statuses;
    int steps = 0;
    int pumps = 0;
    int paused_ms = 0;
};

}  // namespace tripdesk::test
