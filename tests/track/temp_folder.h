#pragma once
// A fresh folder under the system's temporary folder, removed at the end.
#include <unistd.h>

#include <filesystem>
#include <string>

namespace tripdesk::test {

class TempFolder {
public:
    explicit TempFolder(const std::string& name) {
        path_ = std::filesystem::temp_directory_path() /
                ("tripdesk_" + name + "_" + std::to_string(::getpid()) + "_" + std::to_string(counter()++));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string str() const { return path_.string(); }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }

private:
    static int& counter() {
        static int n = 0;
        return n;
    }
    std::filesystem::path path_;
};

}  // namespace tripdesk::test
