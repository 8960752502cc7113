#include "export/mail_notes.h"

#include <strings.h>

#include <filesystem>
#include <system_error>

namespace tripdesk::mail {

std::string find_note_file(const std::string& folder, const std::string& day_file_name) {
    namespace fs = std::filesystem;
    const std::string wanted = day_file_name.substr(0, 6) + ".TXT";
    std::error_code ec;
    if (fs::is_regular_file(folder + wanted, ec)) return folder + wanted;
    for (fs::directory_iterator it(folder.empty() ? "." : folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (strcasecmp(name.c_str(), wanted.c_str()) == 0 && it->is_regular_file(ec)) return folder + name;
    }
    return {};
}

std::string joined_note_lines(std::string_view text) {
    std::string out;
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (!line.empty()) {
            out += line;
            out += "\r\n";
        }
    }
    return out;
}

}  // namespace tripdesk::mail
