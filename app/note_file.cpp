#include "app/note_file.h"

#include "common/atomic_file.h"
#include "track/cp1250.h"
#include "track/path_lookup.h"

namespace tripdesk::app {

namespace {

// Every line of the text followed by CR LF. A line break at the end of the
// text starts a last, empty line, as an editor shows it; empty text has no line.
std::string lines_with_crlf(const std::string& text) {
    std::string out;
    if (text.empty()) return out;
    out.reserve(text.size() + text.size() / 16 + 2);
    size_t pos = 0;
    for (;;) {
        const size_t end = text.find_first_of("\r\n", pos);
        out.append(text, pos, end == std::string::npos ? std::string::npos : end - pos);
        out += "\r\n";
        if (end == std::string::npos) break;
        pos = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
    }
    return out;
}

}  // namespace

std::string note_file_name(const std::string& day_file) { return day_file.substr(0, 6) + ".TXT"; }

std::optional<std::string> read_note(const std::string& folder, const std::string& day_file) {
    const auto path = track::find_ignoring_case(folder, note_file_name(day_file));
    if (!path) return std::nullopt;
    std::string text = track::legacy_text_to_utf8(read_whole_file(*path));
    std::string lines;
    lines.reserve(text.size());
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t end = text.find_first_of("\r\n", pos);
        if (pos > 0) lines += '\n';
        lines.append(text, pos, end == std::string::npos ? std::string::npos : end - pos);
        if (end == std::string::npos) break;
        pos = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
    }
    return lines;
}

std::string write_note(const std::string& folder, const std::string& day_file, const std::string& text) {
    const std::string path = track::resolve_ignoring_case(folder, note_file_name(day_file));
    write_file_atomically(path, lines_with_crlf(text));
    return path;
}

}  // namespace tripdesk::app
