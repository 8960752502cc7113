#pragma once
// Waits that keep the window repainting: a local event loop that takes no
// user input, so nothing can start a second exchange meanwhile.
#include "device/sleeper.h"

namespace tripdesk::device::ui {

class EventLoopSleeper final : public Sleeper {
public:
    void sleep_ms(int ms) override;
};

EventLoopSleeper& event_loop_sleeper();

// Lets the window repaint without taking user input.
void repaint_now();

}  // namespace tripdesk::device::ui
