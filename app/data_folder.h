#pragma once
// The data folder: where the settings file, the card images ("_images") and
// the logger's dump file live. In order of precedence:
//   1. --home DIR given to the program or the command line,
//   2. the TRIPDESK_HOME environment variable,
//   3. the program's own folder when it is writable (a portable install),
//   4. $XDG_DATA_HOME/marvek7-tripdesk/ (default ~/.local/share/marvek7-tripdesk/).
// Installed files (changeslog.txt, _gmaps/mapweaver, _firmware/) stay beside
// the executable whatever the data folder is: see program_folder().
#include <string>

namespace tripdesk::app {

struct DataFolderInputs {
    std::string home_option;     // --home, empty when not given
    std::string env_home;        // TRIPDESK_HOME, empty when unset
    std::string program_folder;  // folder of the executable
    bool program_folder_writable = false;
    std::string xdg_data_home;   // XDG_DATA_HOME, empty when unset
    std::string user_home;       // the user's home folder
};

// The chosen folder, always with a trailing "/". Pure: creates nothing.
std::string choose_data_folder(const DataFolderInputs& in);

// Gathers the inputs from the environment and the running executable.
DataFolderInputs data_folder_inputs(const std::string& home_option);

// choose_data_folder(data_folder_inputs(home_option)), created (with its
// parents) when missing. Throws IoError when it cannot be created.
std::string resolve_data_folder(const std::string& home_option);

// The folder of the running executable, with a trailing "/".
std::string program_folder();

}  // namespace tripdesk::app
