#pragma once
// A Progress that records what an operation reported, for the mail and
// stop-list tests. Pauses are added up, never slept.
#include <string>
#include <vector>

#include "common/progress.h"

namespace tripdesk::testing {

class RecordingProgress final : public Progress {
public:
    std::vector<std::string> titles;
    std::vector<std::string> statuses;
    int max = 0;
    int pos = 0;
    int paused_ms = 0;
    int pumps = 0;

    void title(const std::string& text) override { titles.push_back(text); }
    void maximum(int m) override { max = m; }
    void position(int p) override { pos = p; }
    void step() override { ++pos; }
    void status(const std::string& text) override { statuses.push_back(text); }
    void pump() override { ++pumps; }
    void pause(int ms) override { paused_ms += ms; }
    std::string last_status() const { return statuses.empty() ? std::string() : statuses.back(); }
};

}  // namespace tripdesk::testing
