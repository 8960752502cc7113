#include "common/c_format.h"

#include <clocale>
#include <cstdarg>
#include <cstdio>
#include <locale.h>

namespace tripdesk {

namespace {
locale_t c_locale() {
    static const locale_t loc = newlocale(LC_ALL_MASK, "C", nullptr);
    return loc;
}
}  // namespace

std::string c_format(const char* fmt, ...) {
    const locale_t previous = uselocale(c_locale());
    va_list args;
    va_start(args, fmt);
    va_list copy;
    va_copy(copy, args);
    char small[256];
    const int n = std::vsnprintf(small, sizeof small, fmt, args);
    va_end(args);
    std::string out;
    if (n < 0) {
        out.clear();
    } else if (static_cast<size_t>(n) < sizeof small) {
        out.assign(small, static_cast<size_t>(n));
    } else {
        out.resize(static_cast<size_t>(n) + 1);
        std::vsnprintf(out.data(), out.size(), fmt, copy);
        out.resize(static_cast<size_t>(n));
    }
    va_end(copy);
    uselocale(previous);
    return out;
}

}  // namespace tripdesk
