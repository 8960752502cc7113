#pragma once
// The two steps both tracker exchanges start with: the DTR pulse that
// restarts the tracker, and the wake-up that makes it send its
// identification string.
#include <string>

#include "device/serial_link.h"
#include "device/sleeper.h"

namespace tripdesk::device {

struct DtrPulse {
    int on_ms;
    bool purge_after_on;  // the identification window purges once more before DTR off
    int off_ms = 100;
};
inline constexpr DtrPulse kIdentificationPulse{200, true};
inline constexpr DtrPulse kFirmwarePulse{300, false};

// Purge, DTR on, wait, (purge,) DTR off, wait.
void pulse_dtr(SerialLink& link, Sleeper& sleeper, const DtrPulse& pulse);

inline constexpr int kWakeUpMaxCharacters = 1001;
inline constexpr int kWakeUpPendingTarget = 22;
inline constexpr int kIdentificationLength = 21;

// Sends "U" one character at a time until at least 22 bytes are pending or
// 1001 characters went out, then reads up to 21 bytes: the reply (possibly
// shorter or empty).
std::string wake_up_and_read(SerialLink& link);

}  // namespace tripdesk::device
