#include "app/version.h"

#include "common/c_format.h"

namespace tripdesk::app {

std::string format_version_text(int minor, int patch, int tweak) {
    return c_format("%.2d.%.2d.%.2d", minor, patch, tweak);
}

std::string program_version_text() {
#if defined(TRIPDESK_VERSION_MINOR) && defined(TRIPDESK_VERSION_PATCH) && defined(TRIPDESK_VERSION_TWEAK)
    return format_version_text(TRIPDESK_VERSION_MINOR, TRIPDESK_VERSION_PATCH, TRIPDESK_VERSION_TWEAK);
#else
    return {};
#endif
}

}  // namespace tripdesk::app
