#include "track/time_windows.h"

namespace tripdesk::track {

namespace {

constexpr size_t kTimeChars = 8;

bool is_continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Byte offset of the n-th character of UTF-8 text (text.size() when shorter).
size_t offset_of_char(std::string_view text, size_t n) {
    size_t i = 0;
    for (size_t chars = 0; i < text.size() && chars < n; ++chars) {
        ++i;
        while (i < text.size() && is_continuation(text[i])) ++i;
    }
    return i;
}

size_t char_count(std::string_view text) {
    size_t n = 0;
    for (const char c : text) n += !is_continuation(c);
    return n;
}

}  // namespace

std::vector<std::string> read_time_windows(const SectionEntries& cas_okno) {
    if (cas_okno.empty()) return {"00:00:00 12:00:00", "12:00:00 24:00:00"};
    std::vector<std::string> windows;
    windows.reserve(cas_okno.size());
    for (const SectionEntry& e : cas_okno) windows.push_back(e.value ? *e.value : "??:??:?? ??:??:??");
    return windows;
}

std::string time_window_start(std::string_view window) {
    return std::string(window.substr(0, offset_of_char(window, kTimeChars)));
}

std::string time_window_end(std::string_view window) {
    const size_t chars = char_count(window);
    if (chars <= kTimeChars) return std::string(window);
    return std::string(window.substr(offset_of_char(window, chars - kTimeChars)));
}

}  // namespace tripdesk::track
