#pragma once
// The program's long time format, process-wide like the system setting it
// stands for: "H:mm:ss" until the MRP export sets "hh:mm", which then holds
// for the rest of the run (so a mail sent afterwards shows its sending time
// without seconds).
#include <ctime>
#include <string>

namespace tripdesk {

// Switches the long time format to "hh:mm".
void use_hours_minutes_long_time();
// A time of day in the current long time format.
std::string format_long_time(const std::tm& time);

}  // namespace tripdesk
