#pragma once
// A fresh folder under the system's temporary folder for one test, removed
// with everything in it when the test ends.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace tripdesk::testing {

class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& name)
        : path_(std::filesystem::temp_directory_path() /
                ("tripdesk_" + name + "_" + std::to_string(::getpid()))) {
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    // Makes a subfolder and returns its path.
    std::string folder(const std::string& name) const {
        std::filesystem::create_directories(path_ / name);
        return (path_ / name).string();
    }
    void touch(const std::string& name, const std::string& content = "x") const {
        std::ofstream(path_ / name, std::ios::binary) << content;
    }
    // Names of the entries of a folder, sorted.
    static std::vector<std::string> entries(const std::string& folder) {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(folder)) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    std::filesystem::path path_;
};

}  // namespace tripdesk::testing
