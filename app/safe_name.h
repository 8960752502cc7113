#pragma once
// Names that come from data (a card's volume label, a vehicle's short name,
// the first line of "_image.inf") become parts of file and folder names. This
// makes such a name harmless there: it can neither leave the folder it is put
// in nor carry characters a file system or a mail header would misread.
#include <string>
#include <string_view>

namespace tripdesk::app {

// Replaces path separators ("/", "\"), control characters (including CR, LF,
// NUL) and the characters Windows forbids in names (< > : " | ? *) with "_";
// a name of dots only ("", ".", "..") becomes "_". Trailing blanks and dots
// are cut, as Windows would drop them. A name longer than kSafeNameBytes is
// cut there (never inside a UTF-8 character), so the file names built from
// it stay within what file systems take (255 bytes). Plain plates such as
// BA-123AB pass unchanged.
inline constexpr size_t kSafeNameBytes = 160;
std::string safe_name(std::string_view name);

}  // namespace tripdesk::app
