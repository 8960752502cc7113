#pragma once
// Reading the settings file at start and writing it at exit. A file on a
// read-only volume is neither read nor written, without a message: the
// defaults stay in use (a card image on a write-protected medium, a program
// run from a read-only mount).
#include <functional>
#include <string>

#include "app/ini_file.h"
#include "app/settings.h"

namespace tripdesk::app {

// "MARVEK7_tripdesk.ini": the file's name in the data folder.
inline constexpr const char* kSettingsFileName = "MARVEK7_tripdesk.ini";

struct LoadedSettings {
    Settings settings;
    IniFile ini;  // the whole file, for the catalogue sections CAR_LIST and CAS_OKNO
    bool read_only_volume = false;
};

// Tells whether the folder that holds (or would hold) a path is on a volume
// mounted read-only.
using ReadOnlyVolumeTest = std::function<bool(const std::string& path)>;
bool on_read_only_volume(const std::string& path);

// A missing file gives the defaults and an empty IniFile; a malformed one
// gives what it holds. Throws IoError when an existing file cannot be read.
LoadedSettings load_settings_file(const std::string& path, const Settings& defaults,
                                  const ReadOnlyVolumeTest& read_only = on_read_only_volume);

// Writes the "W" keys into the file as it is on disk now (so hand-made keys
// and lines, and edits made while the program ran, survive), atomically and
// with owner-only permissions. Returns false without writing when the file
// lies on a read-only volume. Throws IoError when the write fails.
bool save_settings_file(const std::string& path, const Settings& settings,
                        const ReadOnlyVolumeTest& read_only = on_read_only_volume);

}  // namespace tripdesk::app
