#pragma once
// Writing a firmware image into the tracker through its bootloader: restart
// and identify the tracker, check the image suits its hardware, wake the
// loader, send every page and the end byte, restart it again. Every step is
// reported in the status log with the texts the firmware window shows.
#include <functional>
#include <string>

#include "common/progress.h"
#include "device/firmware_image.h"
#include "device/serial_link.h"
#include "device/sleeper.h"
#include "device/status_log.h"

namespace tripdesk::device {

// The question asked before an image that does not suit the hardware.
extern const char* const kUnsuitableFirmwareQuestion;

struct UpdateHooks {
    // The device pack once the hardware code is known ("[NONE]" first).
    std::function<void(const std::string&)> show_device_pack;
    // Asked with kUnsuitableFirmwareQuestion; true goes on.
    std::function<bool(const std::string&)> confirm;
    // Signals a failed connection beside the port chooser.
    std::function<void()> failure_signal;
};

struct UpdateOptions {
    // Longest wait for any reply byte the loader owes.
    int reply_timeout_ms = 5000;
    // Wait for the echo of each initialisation byte.
    int echo_wait_ms = 5;
};

enum class UpdateOutcome {
    Written,         // every page accepted and finish code 0x06
    NotAccepted,     // a page refused or a finish code other than 0x06
    AbortedByUser,   // the image did not suit and the user said No
    LoaderSilent,    // no echo of the initialisation byte in seven tries
    ReplyTimedOut,   // the loader stopped answering
    LinkFailed,      // the port could not be opened or a link operation failed
};

struct UpdateResult {
    UpdateOutcome outcome = UpdateOutcome::LinkFailed;
    std::string reply;        // identification as received
    std::string device_pack;  // from the reply's hardware code
    int pages_accepted = 0;
    int finish_code = -1;     // -1 when no finish code arrived
};

inline constexpr int kInitAttempts = 7;

// Runs the whole update on an open-able port; the link is closed on return.
UpdateResult run_firmware_update(SerialLink& link, const std::string& port, const FirmwareImage& image,
                                 const std::string& image_pack, StatusLog& log, Progress& progress,
                                 Sleeper& sleeper, const UpdateHooks& hooks, const UpdateOptions& options = {});

// One page frame: 0x01, p, (0x01 + p) mod 256, the 128 bytes, and the sum
// modulo 256 of the 131 bytes before it.
std::string page_frame(int page_number, const std::string& page_bytes);

// The reply without leading and trailing blanks and control characters.
std::string trim_reply(const std::string& reply);

}  // namespace tripdesk::device
