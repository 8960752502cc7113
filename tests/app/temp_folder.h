#pragma once
// A fresh folder for one test, removed with everything in it afterwards.
#include <filesystem>
#include <string>

#include <unistd.h>

namespace tripdesk::testing {

class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tripdesk-test-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    // The folder with a trailing "/".
    std::string path() const { return path_ + "/"; }
    std::string file(const std::string& name) const { return path() + name; }

private:
    std::string path_;
};

}  // namespace tripdesk::testing
