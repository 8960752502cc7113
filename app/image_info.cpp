#include "app/image_info.h"

#include <sys/stat.h>

#include <array>

#include "common/atomic_file.h"
#include "track/cp1250.h"
#include "track/path_lookup.h"

namespace tripdesk::app {

VolumeLabels parse_image_info(std::string_view bytes) {
    const std::string text = track::legacy_text_to_utf8(bytes);
    std::array<std::string, 5> lines;
    size_t pos = 0;
    for (std::string& line : lines) {
        if (pos >= text.size()) break;
        const size_t end = text.find_first_of("\r\n", pos);
        line = text.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
        if (end == std::string::npos) {
            pos = text.size();
        } else {
            pos = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
        }
    }
    return {lines[0], lines[1], lines[2], lines[3], lines[4]};
}

std::string format_image_info(const VolumeLabels& v) {
    std::string out;
    for (const std::string* line : {&v.label, &v.free_space, &v.total_space, &v.serial, &v.file_system}) {
        out += *line;
        out += "\r\n";
    }
    return out;
}

VirtInfo ReadVirtInfo(const std::string& image_folder) {
    VirtInfo info;
    struct stat st {};
    info.exists = !image_folder.empty() && ::stat(image_folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
    if (!info.exists) return info;
    if (const auto path = track::find_ignoring_case(image_folder, kImageInfoFileName))
        info.labels = parse_image_info(read_whole_file(*path));
    return info;
}

void write_image_info(const std::string& image_folder, const VolumeLabels& labels) {
    write_file_atomically(track::join_path(image_folder, kImageInfoFileName), format_image_info(labels));
}

}  // namespace tripdesk::app
