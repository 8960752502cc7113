#include "app/settings_labels.h"

#include <cstdlib>

#include "common/c_format.h"

namespace tripdesk::app {

std::string resolution_label(int metres) { return c_format("%d m", metres); }

std::string stop_label(int seconds) { return c_format("%d s", seconds); }

std::string time_shift_label(int half_hours) {
    const int minutes = half_hours * 30;
    return c_format("UTC%s %.2d:%.2d", half_hours < 0 ? "-" : "+", std::abs(minutes / 60), std::abs(minutes % 60));
}

}  // namespace tripdesk::app
