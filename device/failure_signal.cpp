#include "device/failure_signal.h"

namespace tripdesk::device {

void blink_failure_signal(const std::function<void(const std::string&)>& show, Sleeper& sleeper) {
    for (int i = 0; i < 3; ++i) {
        show(kAlertOn);
        sleeper.sleep_ms(260);
        show(kAlertOff);
        sleeper.sleep_ms(140);
    }
}

}  // namespace tripdesk::device
