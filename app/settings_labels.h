#pragma once
// The value labels of the export settings window.
#include <string>

namespace tripdesk::app {

// "%d m": a resolution in metres.
std::string resolution_label(int metres);
// "%d s": the minimum stop in seconds.
std::string stop_label(int seconds);
// "UTC%s %.2d:%.2d": a time shift in half hours, e.g. 2 -> "UTC+ 01:00",
// -3 -> "UTC- 01:30".
std::string time_shift_label(int half_hours);

}  // namespace tripdesk::app
