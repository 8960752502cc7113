#include "app/day_file_delete.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "track/path_lookup.h"

namespace tripdesk::app {

namespace {

constexpr int kDeletePauseMs = 200;

}  // namespace

std::vector<FailedFile> delete_day_files(const std::string& folder, const std::vector<std::string>& names,
                                         Progress& progress) {
    std::vector<FailedFile> failed;
    progress.title(kDeleteTitle);
    progress.maximum(static_cast<int>(names.size()));
    for (const std::string& name : names) {
        const std::string path = track::join_path(folder, name);
        progress.status(" - mazanie súboru: \"" + path + "\" ...");
        progress.step();
        progress.pump();
        progress.pause(kDeletePauseMs);
        if (::unlink(path.c_str()) != 0 && errno != ENOENT) failed.push_back({path, std::strerror(errno)});
    }
    return failed;
}

}  // namespace tripdesk::app
