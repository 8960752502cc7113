#pragma once
// printf's "%Nd" and "%N.Pf" for the exports' hot loops: the same text, with
// "." as decimal separator whatever the locale, without a printf call (a
// year's export writes millions of numbers).
#include <string>

namespace tripdesk::exports {

// Appends `value` right-aligned in at least `width` characters, as "%*d".
void append_int(std::string& out, int value, int width);

// Appends `value` with `precision` decimals right-aligned in at least
// `width` characters, as "%*.*f" (also for infinities and NaN).
void append_fixed(std::string& out, double value, int width, int precision);

}  // namespace tripdesk::exports
