#pragma once
// Progress of a long command on stderr: a one-line bar with the status text
// when stderr is a terminal, nothing otherwise (so pipes and logs stay
// clean). The readability pauses of the windows are skipped.
#include <cstdio>
#include <string>

#include "common/progress.h"

namespace tripdesk::cli {

class TerminalProgress final : public Progress {
public:
    // Shows progress only when `out` is a terminal.
    explicit TerminalProgress(std::FILE* out = stderr);
    ~TerminalProgress() override;  // ends the bar's line
    TerminalProgress(const TerminalProgress&) = delete;
    TerminalProgress& operator=(const TerminalProgress&) = delete;

    void title(const std::string& text) override;
    void maximum(int max) override;
    void position(int pos) override;
    void step() override;
    void status(const std::string& text) override;

private:
    void draw();

    std::FILE* out_;
    bool enabled_;
    bool drawn_ = false;
    std::string title_;
    std::string status_;
    int max_ = 0;
    int pos_ = 0;
    int last_permille_ = -1;
};

}  // namespace tripdesk::cli
