#include "export/number_text.h"

#include <charconv>

namespace tripdesk::exports {

namespace {

void append_padded(std::string& out, const char* text, const char* end, int width) {
    const int length = static_cast<int>(end - text);
    if (length < width) out.append(static_cast<size_t>(width - length), ' ');
    out.append(text, end);
}

}  // namespace

void append_int(std::string& out, int value, int width) {
    char digits[16];
    append_padded(out, digits, std::to_chars(digits, digits + sizeof digits, value).ptr, width);
}

void append_fixed(std::string& out, double value, int width, int precision) {
    // Wide enough for the largest double written out in full.
    char digits[400];
    append_padded(out, digits,
                  std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, precision).ptr, width);
}

}  // namespace tripdesk::exports
