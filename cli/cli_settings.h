#pragma once
// Settings for a tripdesk command: the same settings file the program uses,
// with the command line's global options applied. Every command that needs
// settings calls load_command_settings() first:
//
//   int run_scan(const GlobalOptions& global, std::vector<std::string> args) {
//       const CommandSettings cs = load_command_settings(global);
//       const double k = cs.settings.frm_main.Koeficient;
//       const auto cars = cs.ini.entries("CAR_LIST");
//       ...
//
// The command line never writes the settings file.
#include <string>

#include "app/ini_file.h"
#include "app/settings.h"
#include "cli/command.h"

namespace tripdesk::cli {

struct CommandSettings {
    std::string data_folder;  // with a trailing "/"; not created here
    std::string ini_path;     // --ini, else MARVEK7_tripdesk.ini in the data folder
    app::Settings settings;   // defaults, then the file, then the --set overrides
    app::IniFile ini;         // the file with the overrides, for CAR_LIST and CAS_OKNO
};

// Data folder: --home (main() puts TRIPDESK_HOME there when --home is not
// given), else the program folder when writable, else the XDG data folder.
// Each --set SECTION.KEY=VALUE (split at the first ".") replaces that key as
// if the file held it. A key of a known section (FRM_*, PROXY, EMAIL) must be
// a key the program reads, with a value of its type; other sections
// (CAR_LIST, CAS_OKNO, ...) take any key. Throws UsageError for a bad
// override and IoError when the settings file exists but cannot be read.
CommandSettings load_command_settings(const GlobalOptions& global);

}  // namespace tripdesk::cli
