#pragma once
// The per-day note files as the day-files message carries them.
#include <string>
#include <string_view>

namespace tripdesk::mail {

// The note file beside a day file: the first six characters of its name
// + ".TXT", found without regard to letter case. Empty when there is none.
std::string find_note_file(const std::string& folder, const std::string& day_file_name);

// The note's non-empty lines, each followed by CR LF.
std::string joined_note_lines(std::string_view text);

}  // namespace tripdesk::mail
