#include "app/safe_name.h"

#include <cstring>

namespace tripdesk::app {

std::string safe_name(std::string_view name) {
    std::string out;
    out.reserve(name.size());
    for (const char c : name) {
        const auto b = static_cast<unsigned char>(c);
        const bool bad = b < 0x20 || b == 0x7F || std::strchr("/\\<>:\"|?*", c) != nullptr;
        out.push_back(bad ? '_' : c);
    }
    if (out.size() > kSafeNameBytes) {
        size_t cut = kSafeNameBytes;
        // Back up over UTF-8 continuation bytes to the start of a character.
        while (cut > 0 && (static_cast<unsigned char>(out[cut]) & 0xC0) == 0x80) --cut;
        out.resize(cut);
    }
    while (!out.empty() && (out.back() == ' ' || out.back() == '.')) out.pop_back();
    return out.empty() ? std::string(1, '_') : out;
}

}  // namespace tripdesk::app
