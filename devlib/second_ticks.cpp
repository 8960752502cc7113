#include "devlib/second_ticks.h"

#include <ctime>

namespace dlr {

void SecondTicks::update() {
    const std::time_t now = std::time(nullptr);
    const int second = static_cast<int>(now % 60);
    if (second != remembered_second_) {
        ++count_;
        remembered_second_ = second;
    }
}

}  // namespace dlr
