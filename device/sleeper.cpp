#include "device/sleeper.h"

#include <chrono>
#include <thread>

namespace tripdesk::device {

void ThreadSleeper::sleep_ms(int ms) {
    if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

ThreadSleeper& thread_sleeper() {
    static ThreadSleeper sleeper;
    return sleeper;
}

}  // namespace tripdesk::device
