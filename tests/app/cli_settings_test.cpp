#include "cli/cli_settings.h"

#include <gtest/gtest.h>

#include "common/atomic_file.h"
#include "temp_folder.h"

using tripdesk::cli::GlobalOptions;
using tripdesk::cli::load_command_settings;
using tripdesk::cli::UsageError;

namespace {

TEST(CliSettings, ReadsTheDataFolderFileAndAppliesOverrides) {
    tripdesk::testing::TempFolder home;
    tripdesk::write_file_atomically(home.file("MARVEK7_tripdesk.ini"),
                                    "[FRM_MAIN]\nKoeficient=1.5\nForce20byte=1\n"
                                    "[FRM_SETEXP]\nResolutionKJ=100\n"
                                    "[CAR_LIST]\n0000000001=BA-1,Fabia\n");
    GlobalOptions global;
    global.home = home.path();
    global.settings = {{"frm_setexp.resolutionkj", "300"},
                       {"FRM_MAIN.Force20byte", "0"},
                       {"CAR_LIST.0000000002", "KE-2,Octavia"},
                       {"CAS_OKNO.rano", "06:00:00 09:00:00"}};
    const auto cs = load_command_settings(global);
    EXPECT_EQ(cs.data_folder, home.path());
    EXPECT_EQ(cs.ini_path, home.file("MARVEK7_tripdesk.ini"));
    EXPECT_EQ(cs.settings.frm_main.Koeficient, 1.5);
    EXPECT_FALSE(cs.settings.frm_main.Force20byte);
    EXPECT_EQ(cs.settings.frm_setexp.ResolutionKJ, 300);
    EXPECT_EQ(cs.ini.key_names("CAR_LIST"), (std::vector<std::string>{"0000000001", "0000000002"}));
    EXPECT_EQ(cs.ini.get("CAS_OKNO", "rano"), "06:00:00 09:00:00");
    // The command line never writes the file.
    EXPECT_EQ(tripdesk::read_whole_file(cs.ini_path).find("300"), std::string::npos);
}

TEST(CliSettings, IniOptionNamesTheFile) {
    tripdesk::testing::TempFolder home, other;
    tripdesk::write_file_atomically(other.file("my.ini"), "[FRM_SETPRG]\nLanguage=2\n");
    GlobalOptions global;
    global.home = home.path();
    global.ini = other.file("my.ini");
    const auto cs = load_command_settings(global);
    EXPECT_EQ(cs.settings.frm_setprg.Language, 2);
    EXPECT_EQ(cs.data_folder, home.path());
}

TEST(CliSettings, MissingFileGivesDefaults) {
    tripdesk::testing::TempFolder home;
    GlobalOptions global;
    global.home = home.path();
    const auto cs = load_command_settings(global);
    EXPECT_EQ(cs.settings.frm_setexp.ResolutionKML, 50);
    EXPECT_EQ(cs.settings.email.Port, 25);
}

TEST(CliSettings, BadOverridesAreUsageErrors) {
    tripdesk::testing::TempFolder home;
    const std::pair<const char*, const char*> bad[] = {
        {"FRM_MAIN.Koeficent", "1"},         // misspelt key of a known section
        {"FRM_MAIN.Koeficient", "1,5"},      // not a float
        {"FRM_SETEXP.ResolutionKJ", "many"}, // not an integer
        {"FRM_MAIN.Administrator", "yes"},   // booleans are integers
        {"FRM_MAIN.CalenSelDate", "tomorrow"},
        {"FRM_MAIN.DriveLetter", "E:\\"},    // written at exit, never read
        {"NOKEY", "1"},
        {".Key", "1"},
        {"[X].Key", "1"},
    };
    for (const auto& [name, value] : bad) {
        GlobalOptions global;
        global.home = home.path();
        global.settings = {{name, value}};
        EXPECT_THROW(load_command_settings(global), UsageError) << name << "=" << value;
    }
}

}  // namespace
