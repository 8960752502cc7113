#pragma once
// A progress reporter that keeps what it was told, for tests.
#include "common/progress.h"

#include <string>
#include <vector>

namespace tripdesk::testing {

class RecordingProgress : public Progress {
public:
    void title(const std::string& text) override { titles.push_back(text); }
    void maximum(int max) override { maximum_value = max; }
    void step() override { ++steps; }
    void status(const std::string& text) override { statuses.push_back(text); }

    std::vector<std::string> titles;
    std::vector<std::string> statuses;
    int maximum_value = -1;
    int steps = 0;
};

}  // namespace tripdesk::testing
