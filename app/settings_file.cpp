#include "app/settings_file.h"

#include <sys/statvfs.h>

namespace tripdesk::app {

bool on_read_only_volume(const std::string& path) {
    const auto slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
    struct statvfs vfs {};
    if (::statvfs(folder.c_str(), &vfs) != 0) return false;
    return (vfs.f_flag & ST_RDONLY) != 0;
}

LoadedSettings load_settings_file(const std::string& path, const Settings& defaults,
                                  const ReadOnlyVolumeTest& read_only) {
    LoadedSettings loaded{defaults, IniFile{}, read_only(path)};
    if (loaded.read_only_volume) return loaded;
    loaded.ini = IniFile::load(path);
    loaded.settings = read_settings(loaded.ini, defaults);
    return loaded;
}

bool save_settings_file(const std::string& path, const Settings& settings, const ReadOnlyVolumeTest& read_only) {
    if (read_only(path)) return false;
    IniFile ini = IniFile::load(path);
    write_settings(settings, ini);
    ini.save(path);
    return true;
}

}  // namespace tripdesk::app
