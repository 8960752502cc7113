#pragma once
// Texts that go into mail headers: they come from card data (volume label,
// file names) and from settings, so they are cleaned before use.
#include <string>
#include <string_view>

namespace tripdesk::mail {

// Removes control characters (CR, LF, TAB, DEL, ...), so a text can never
// break a header line or add a header of its own.
std::string header_safe(std::string_view text);

// A header value as mail requires: unchanged when it is printable ASCII,
// otherwise RFC 2047 "B" encoded words of UTF-8, at most 75 characters each,
// folded onto continuation lines. Characters are never split between words.
std::string encode_header_text(std::string_view utf8);

}  // namespace tripdesk::mail
