#pragma once
// Windows-1250 (Central European) to UTF-8. The logbook program that owns the
// place-name file is a Windows program that writes its texts in this code
// page; everything inside this program is UTF-8.
#include <string>
#include <string_view>

namespace tripdesk::track {

// Converts every byte; the five bytes Windows-1250 leaves undefined
// (0x81 0x83 0x88 0x90 0x98) become U+FFFD.
std::string cp1250_to_utf8(std::string_view bytes);

// True when the bytes are well-formed UTF-8.
bool is_utf8(std::string_view bytes);

// Text of files that either this program wrote (UTF-8) or the Windows
// program of the same card did (Windows-1250), such as note files and
// "_image.inf": UTF-8 stays as it is, anything else is read as Windows-1250.
std::string legacy_text_to_utf8(std::string_view bytes);

}  // namespace tripdesk::track
