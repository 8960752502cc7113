#pragma once
// The note of a day: a text file beside its day file named after the day's
// date digits, "150309.TXT" beside "150309.GPS". Its first line shows in the
// trip grid; the note window edits the whole text.
#include <optional>
#include <string>

namespace tripdesk::app {

// The note file's name for a day file: its first six characters + ".TXT".
std::string note_file_name(const std::string& day_file);

// The note of a day file in a folder, as UTF-8 text with its lines joined by
// "\n" (no line break after the last line); nullopt when there is no note
// file. The note file is found without regard to letter case; text the
// Windows program wrote (Windows-1250) is converted. Throws IoError when the
// file exists but cannot be read.
std::optional<std::string> read_note(const std::string& folder, const std::string& day_file);

// Writes the note's lines (text with "\n", "\r\n" or "\r" between lines; a
// break at the end gives a last, empty line),
// each ended by CR LF, as UTF-8, into the day's note file, replacing it
// atomically (an existing note file keeps its name's letter case). Returns
// the path written. Throws IoError when it cannot be written.
std::string write_note(const std::string& folder, const std::string& day_file, const std::string& text);

}  // namespace tripdesk::app
