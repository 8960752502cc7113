#include "fuzz/fuzz_support.h"

#include <unistd.h>

#include <filesystem>


namespace tripdesk::fuzz {

namespace {

struct ScratchFolder {
    std::string path;
    ScratchFolder() {
        std::error_code ec;
        std::string base = std::filesystem::is_directory("/dev/shm", ec) ? "/dev/shm" : "";
        if (base.empty()) base = std::filesystem::temp_directory_path().string();
        std::string pattern = base + "/tripdesk-fuzz-XXXXXX";
        if (!::mkdtemp(pattern.data())) {
            std::perror("mkdtemp");
            std::abort();
        }
        path = pattern;
    }
    ~ScratchFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
};

}  // namespace

const std::string& scratch_folder() {
    static const ScratchFolder folder;
    return folder.path;
}

std::string scratch_file(const std::string& name, std::string_view bytes) {
    const std::string path = scratch_folder() + "/" + name;
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        std::perror(path.c_str());
        std::abort();
    }
    if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    return path;
}

void empty_folder(const std::string& folder) {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec))
        std::filesystem::remove_all(entry.path(), ec);
}

}  // namespace tripdesk::fuzz
