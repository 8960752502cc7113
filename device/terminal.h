#pragma once
// The receive-only terminal: it restarts the tracker and then shows whatever
// the tracker sends, polled from a 20 ms timer by the window.
#include <string>

#include "device/serial_link.h"
#include "device/sleeper.h"
#include "device/status_log.h"

namespace tripdesk::device {

inline constexpr int kTerminalPollMs = 20;

class TrackerTerminal {
public:
    TrackerTerminal(SerialLink& link, StatusLog& log, Sleeper& sleeper) : link_(link), log_(log), sleeper_(sleeper) {}
    ~TrackerTerminal() { stop(); }

    // Opens the port, clears the log, restarts the tracker. A port that
    // cannot be opened throws SerialError; the terminal then counts as
    // running but receives nothing until stopped.
    void start(const std::string& port);
    // Appends every pending byte to the log's last line; returns how many.
    int poll();
    // Closes the port; stopping a stopped terminal does nothing.
    void stop();
    bool running() const { return running_; }

private:
    SerialLink& link_;
    StatusLog& log_;
    Sleeper& sleeper_;
    bool running_ = false;
};

}  // namespace tripdesk::device
