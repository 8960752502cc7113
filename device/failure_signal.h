#pragma once
// The alert panel beside the port chooser blinks "!!!" three times when a
// connection fails and ends blank.
#include <functional>
#include <string>

#include "device/sleeper.h"

namespace tripdesk::device {

inline constexpr const char* kAlertOn = "!!!";
inline constexpr const char* kAlertOff = "   ";

// show() sets the panel's text and lets the window repaint.
void blink_failure_signal(const std::function<void(const std::string&)>& show, Sleeper& sleeper);

}  // namespace tripdesk::device
