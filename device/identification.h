#pragma once
// The tracker's identification string ("SN:" and 18 characters) and the
// identification exchange that reads it.
#include <string>

#include "device/serial_link.h"
#include "device/sleeper.h"

namespace tripdesk::device {

inline constexpr const char* kUnknownSerial = "SN:??????????????????";
inline constexpr const char* kNoValue = "[NONE]";

struct IdentificationFields {
    std::string hardware = kNoValue;  // "verzia 1.19" ...
    std::string cpu = kNoValue;       // "6.000 MHz" / "8.000 MHz"
    std::string note = kNoValue;      // "Bluetooth"
};

// What the window shows for a reply: the placeholder for an empty reply or
// one that does not begin with "SN:", else the reply itself.
std::string shown_identification(const std::string& reply);

// Decodes positions 18 (CPU clock), 19 (hardware version) and 20 (radio);
// positions the text does not hold or unknown codes stay "[NONE]".
IdentificationFields decode_identification(const std::string& shown);

// The four characters at positions 18 to 21 (fewer for a shorter reply).
std::string hardware_code(const std::string& reply);

struct IdentificationResult {
    bool link_ok = false;     // open, pulse, wake-up and read all succeeded
    std::string error;        // the link error when not
    std::string reply;        // up to 21 bytes as received
    std::string shown;        // shown_identification(reply)
    IdentificationFields fields;
};

// Opens the port, restarts the tracker, wakes it and reads its reply, and
// closes the port on every path. Link errors are reported in the result.
IdentificationResult identify_tracker(SerialLink& link, const std::string& port, Sleeper& sleeper);

}  // namespace tripdesk::device
