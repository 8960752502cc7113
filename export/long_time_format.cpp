#include "export/long_time_format.h"

#include <atomic>

#include "common/c_format.h"

namespace tripdesk {
namespace {

std::atomic<bool> hours_minutes{false};

}  // namespace

void use_hours_minutes_long_time() { hours_minutes = true; }

std::string format_long_time(const std::tm& t) {
    if (hours_minutes) return c_format("%02d:%02d", t.tm_hour, t.tm_min);
    return c_format("%d:%02d:%02d", t.tm_hour, t.tm_min, t.tm_sec);
}

}  // namespace tripdesk
