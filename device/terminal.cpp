#include "device/terminal.h"

#include "device/tracker_exchange.h"

namespace tripdesk::device {

void TrackerTerminal::start(const std::string& port) {
    running_ = true;
    link_.open(port);
    log_.clear();
    log_.add_line("- connected to device using serial port: " + port);
    log_.add_line("- reseting device using DTR ... ");
    pulse_dtr(link_, sleeper_, kFirmwarePulse);
    // "OK" ends the line, a line break and an empty line follow; received
    // text then continues the last, empty line.
    log_.append("OK");
    log_.add_line("");
    log_.add_line("");
}

int TrackerTerminal::poll() {
    if (!running_ || !link_.is_open()) return 0;
    const int count = link_.pending();
    if (count <= 0) return 0;
    const std::string bytes = link_.read(count);
    log_.append_raw(bytes);
    return static_cast<int>(bytes.size());
}

void TrackerTerminal::stop() {
    running_ = false;
    link_.close();
}

}  // namespace tripdesk::device
