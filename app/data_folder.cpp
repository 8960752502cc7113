#include "app/data_folder.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <unistd.h>

#include "app/settings.h"
#include "common/io_error.h"

namespace tripdesk::app {

namespace {

std::string with_slash(std::string folder) {
    if (folder.empty() || folder.back() != '/') folder.push_back('/');
    return folder;
}

std::string env_or_empty(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

}  // namespace

std::string choose_data_folder(const DataFolderInputs& in) {
    if (!in.home_option.empty()) return with_slash(in.home_option);
    if (!in.env_home.empty()) return with_slash(in.env_home);
    if (!in.program_folder.empty() && in.program_folder_writable) return with_slash(in.program_folder);
    // XDG says a relative XDG_DATA_HOME is invalid and must be ignored.
    const std::string xdg = (!in.xdg_data_home.empty() && in.xdg_data_home.front() == '/')
                                ? with_slash(in.xdg_data_home)
                                : with_slash(in.user_home) + ".local/share/";
    return xdg + "marvek7-tripdesk/";
}

std::string program_folder() {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return "./";
    return with_slash(exe.parent_path().string());
}

DataFolderInputs data_folder_inputs(const std::string& home_option) {
    DataFolderInputs in;
    in.home_option = home_option;
    in.env_home = env_or_empty("TRIPDESK_HOME");
    in.program_folder = program_folder();
    in.program_folder_writable = ::access(in.program_folder.c_str(), W_OK) == 0;
    in.xdg_data_home = env_or_empty("XDG_DATA_HOME");
    in.user_home = user_home_folder();
    return in;
}

std::string resolve_data_folder(const std::string& home_option) {
    const std::string folder = choose_data_folder(data_folder_inputs(home_option));
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) throw IoError(folder + ": " + ec.message());
    return folder;
}

}  // namespace tripdesk::app
