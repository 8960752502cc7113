#include "device/identification.h"

#include "device/tracker_exchange.h"

namespace tripdesk::device {
namespace {

// Character at 1-based position pos, or 0 when the text is shorter.
char at_position(const std::string& text, size_t pos) { return text.size() >= pos ? text[pos - 1] : 0; }

}  // namespace

std::string shown_identification(const std::string& reply) {
    if (reply.rfind("SN:", 0) != 0) return kUnknownSerial;
    return reply;
}

IdentificationFields decode_identification(const std::string& shown) {
    IdentificationFields f;
    switch (at_position(shown, 18)) {
        case 'F': f.cpu = "6.000 MHz"; break;
        case 'H': f.cpu = "8.000 MHz"; break;
        default: break;
    }
    switch (at_position(shown, 19)) {
        case 'C': f.hardware = "verzia 1.19"; break;
        case 'D': f.hardware = "verzia 1.20"; break;
        case 'E': f.hardware = "verzia 1.30"; break;
        case 'G': f.hardware = "verzia 1.50"; break;
        default: break;
    }
    if (at_position(shown, 20) == 'B') f.note = "Bluetooth";
    return f;
}

std::string hardware_code(const std::string& reply) { return reply.size() > 17 ? reply.substr(17, 4) : std::string(); }

IdentificationResult identify_tracker(SerialLink& link, const std::string& port, Sleeper& sleeper) {
    IdentificationResult result;
    try {
        link.open(port);
        pulse_dtr(link, sleeper, kIdentificationPulse);
        result.reply = wake_up_and_read(link);
        link.close();
        result.link_ok = true;
    } catch (const SerialError& e) {
        link.close();
        result.error = e.what();
        result.reply.clear();
    }
    result.shown = shown_identification(result.reply);
    result.fields = decode_identification(result.shown);
    return result;
}

}  // namespace tripdesk::device
