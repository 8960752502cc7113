#include "device/tracker_exchange.h"

namespace tripdesk::device {

void pulse_dtr(SerialLink& link, Sleeper& sleeper, const DtrPulse& pulse) {
    link.purge();
    link.set_dtr(true);
    sleeper.sleep_ms(pulse.on_ms);
    if (pulse.purge_after_on) link.purge();
    link.set_dtr(false);
    sleeper.sleep_ms(pulse.off_ms);
}

std::string wake_up_and_read(SerialLink& link) {
    for (int sent = 0; sent < kWakeUpMaxCharacters; ++sent) {
        link.write_byte('U');
        if (link.pending() >= kWakeUpPendingTarget) break;
    }
    return link.read(kIdentificationLength);
}

}  // namespace tripdesk::device
