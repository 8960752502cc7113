#include "track/path_lookup.h"

#include <dirent.h>
#include <sys/stat.h>

#include <memory>

namespace tripdesk::track {

namespace {

char ascii_lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string with_slashes(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c == '\\') c = '/';
    return out;
}

bool exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

// The entry of `dir` whose name matches `name` ignoring case.
std::optional<std::string> match_in(const std::string& dir, std::string_view name) {
    std::unique_ptr<DIR, int (*)(DIR*)> d(::opendir(dir.empty() ? "." : dir.c_str()), ::closedir);
    if (!d) return std::nullopt;
    while (const dirent* e = ::readdir(d.get())) {
        if (equal_ignoring_case(e->d_name, name)) return std::string(e->d_name);
    }
    return std::nullopt;
}

}  // namespace

std::string upper_ascii(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

bool equal_ignoring_case(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (ascii_lower(a[i]) != ascii_lower(b[i])) return false;
    return true;
}

std::string join_path(std::string_view folder, std::string_view name) {
    std::string out = with_slashes(folder);
    const std::string tail = with_slashes(name);
    size_t start = 0;
    while (start < tail.size() && tail[start] == '/') ++start;
    if (!out.empty() && out.back() != '/') out.push_back('/');
    out.append(tail, start);
    return out;
}

std::optional<std::string> find_ignoring_case(std::string_view folder, std::string_view relative) {
    std::string current = with_slashes(folder);
    const std::string rel = with_slashes(relative);
    size_t pos = 0;
    while (pos <= rel.size()) {
        size_t end = rel.find('/', pos);
        if (end == std::string::npos) end = rel.size();
        const std::string_view part(rel.data() + pos, end - pos);
        pos = end + 1;
        if (part.empty()) continue;
        const std::string exact = join_path(current, part);
        if (exists(exact)) {
            current = exact;
            continue;
        }
        const auto found = match_in(current, part);
        if (!found) return std::nullopt;
        current = join_path(current, *found);
    }
    return current;
}

std::string resolve_ignoring_case(std::string_view folder, std::string_view relative) {
    if (auto found = find_ignoring_case(folder, relative)) return *found;
    return join_path(folder, relative);
}

}  // namespace tripdesk::track
