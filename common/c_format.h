#pragma once
// printf-style formatting that always uses "." as the decimal separator,
// whatever locale the program runs under (QApplication sets the user's locale
// for LC_NUMERIC). The C locale is switched per thread only for the call.
#include <string>

namespace tripdesk {

std::string c_format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

}  // namespace tripdesk
