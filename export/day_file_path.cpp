#include "export/day_file_path.h"

#include <algorithm>
#include <cctype>

namespace tripdesk::exports {

std::string day_file_path(const std::string& drive_folder, const std::string& file_name) {
    if (drive_folder.empty()) return file_name;
    const char last = drive_folder.back();
    return (last == '/' || last == '\\') ? drive_folder + file_name : drive_folder + "/" + file_name;
}

bool has_extension(const std::string& name, const std::string& extension) {
    if (name.size() < extension.size()) return false;
    return std::equal(extension.begin(), extension.end(), name.end() - static_cast<long>(extension.size()),
                      [](char e, char n) { return std::toupper(static_cast<unsigned char>(n)) == e; });
}

}  // namespace tripdesk::exports
