#include "devlib/folder_preparation.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "devlib/state.h"

namespace dlr {

namespace {

bool is_separator(char c) { return c == '/' || c == '\\'; }

bool copy_limited(char* dest, const std::string& text) {
    if (text.size() >= kPathCapacity) return false;
    std::memcpy(dest, text.c_str(), text.size() + 1);
    return true;
}

std::string with_backslashes_as_slashes(std::string text) {
    for (char& c : text) {
        if (c == '\\') c = '/';
    }
    return text;
}

// The current folder, a separator unless the relative part starts with one,
// and the relative part.
std::string below_current(const std::string& current, const std::string& relative) {
    std::string folder = current;
    if (relative.empty() || !is_separator(relative.front())) folder += '/';
    return folder + relative;
}

}  // namespace

bool prepare_folder(const char* path, FolderMode mode) {
    LibraryState& s = state();
    std::memset(s.saved_folder, 0, kPathCapacity);
    std::memset(s.file_part, 0, kPathCapacity);
    std::memset(s.folder_part, 0, kPathCapacity);
    // A current folder that is gone (or too long) only matters to the path
    // forms that are built on it.
    char current[4096];
    const bool have_current = getcwd(current, sizeof current) && copy_limited(s.saved_folder, current);
    if (!have_current) current[0] = '\0';

    const std::string given = path ? path : "";
    if (given.size() >= kPathCapacity) return false;
    if (given.empty()) return mode == FolderMode::Folder;

    std::string folder;
    std::string file;
    const bool absolute = given.front() == '/';
    if (mode == FolderMode::File) {
        const size_t last = given.find_last_of("/\\");
        if (last == std::string::npos) {
            folder = current;
            file = given;
        } else if (absolute) {
            folder = given.substr(0, last);
            file = given.substr(last + 1);
            if (file.empty()) return false;
        } else {
            folder = below_current(current, given.substr(0, last + 1));
            file = given.substr(last + 1);
        }
    } else {
        folder = absolute ? given : below_current(current, given);
    }
    if (!have_current && !absolute) return false;
    folder = with_backslashes_as_slashes(folder);
    if (!folder.empty() && folder.back() != '/') folder += '/';
    if (!copy_limited(s.folder_part, folder) || !copy_limited(s.file_part, file)) return false;

    // File mode creates one level; an existing folder is no error. A folder
    // that cannot be entered fails the preparation in both modes: otherwise
    // the files would land in whatever folder happened to be current.
    if (mode == FolderMode::File) ::mkdir(s.folder_part, 0755);
    return ::chdir(s.folder_part) == 0;
}

void restore_saved_folder() {
    if (state().saved_folder[0] != '\0') {
        [[maybe_unused]] const int ignored = ::chdir(state().saved_folder);
    }
}

}  // namespace dlr
