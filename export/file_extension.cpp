#include "export/file_extension.h"

#include <algorithm>
#include <cctype>

namespace tripdesk::exports {

bool has_extension(const std::string& name, const std::string& extension) {
    if (name.size() < extension.size()) return false;
    return std::equal(extension.begin(), extension.end(), name.end() - static_cast<long>(extension.size()),
                      [](char e, char n) { return std::toupper(static_cast<unsigned char>(n)) == e; });
}

std::string with_extension(const std::string& name, const std::string& extension) {
    return has_extension(name, extension) ? name : name + extension;
}

}  // namespace tripdesk::exports
