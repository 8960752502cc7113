#pragma once
// The progress interface every long operation reports through. The program's
// reporter drives the progress panel and status panel 2, the command line's
// prints to the terminal, tests record the texts.
#include <string>

namespace tripdesk {

class Progress {
public:
    virtual ~Progress() = default;
    virtual void title(const std::string& /*text*/) {}
    virtual void maximum(int /*max*/) {}
    virtual void position(int /*pos*/) {}
    virtual void step() {}
    // Status panel 2 of the main window.
    virtual void status(const std::string& /*text*/) {}
    // Lets pending window messages run.
    virtual void pump() {}
    // A pause that only keeps progress texts readable; front ends may skip it.
    virtual void pause(int /*ms*/) {}
};

// Reports nowhere; for callers that do not show progress.
class NoProgress final : public Progress {};

}  // namespace tripdesk
