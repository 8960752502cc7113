#include "app/settings_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "common/atomic_file.h"
#include "temp_folder.h"

using namespace tripdesk::app;

namespace {

const auto writable = [](const std::string&) { return false; };
const auto read_only = [](const std::string&) { return true; };

TEST(SettingsFile, MissingFileGivesDefaultsAndExitCreatesIt) {
    tripdesk::testing::TempFolder dir;
    const std::string path = dir.file(kSettingsFileName);
    const LoadedSettings loaded = load_settings_file(path, default_settings("/h"), writable);
    EXPECT_EQ(loaded.settings.frm_setexp.ResolutionKJ, 250);
    EXPECT_FALSE(loaded.ini.has_section("FRM_MAIN"));
    ASSERT_TRUE(save_settings_file(path, loaded.settings, writable));
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    const IniFile written = IniFile::load(path);
    EXPECT_EQ(written.get("FRM_SETEXP", "ResolutionKJ"), "250");
    EXPECT_FALSE(written.get("FRM_MAIN", "Administrator").has_value());
}

TEST(SettingsFile, ExitKeepsLinesAddedWhileTheProgramRan) {
    tripdesk::testing::TempFolder dir;
    const std::string path = dir.file(kSettingsFileName);
    tripdesk::write_file_atomically(path, "[FRM_SETEXP]\nResolutionKJ=100\n");
    LoadedSettings loaded = load_settings_file(path, default_settings("/h"), writable);
    EXPECT_EQ(loaded.settings.frm_setexp.ResolutionKJ, 100);
    // The user edits the file by hand while the program runs.
    tripdesk::write_file_atomically(path, "[FRM_SETEXP]\nResolutionKJ=100\n[CAS_OKNO]\nrano=06:00:00 09:00:00\n");
    loaded.settings.frm_setexp.ResolutionKJ = 300;
    ASSERT_TRUE(save_settings_file(path, loaded.settings, writable));
    const IniFile written = IniFile::load(path);
    EXPECT_EQ(written.get("FRM_SETEXP", "ResolutionKJ"), "300");
    EXPECT_EQ(written.get("CAS_OKNO", "rano"), "06:00:00 09:00:00");
}

TEST(SettingsFile, ReadOnlyVolumeIsNeitherReadNorWritten) {
    tripdesk::testing::TempFolder dir;
    const std::string path = dir.file(kSettingsFileName);
    const std::string content = "[FRM_SETEXP]\nResolutionKJ=100\n";
    tripdesk::write_file_atomically(path, content);
    const LoadedSettings loaded = load_settings_file(path, default_settings("/h"), read_only);
    EXPECT_TRUE(loaded.read_only_volume);
    EXPECT_EQ(loaded.settings.frm_setexp.ResolutionKJ, 250);
    Settings changed = loaded.settings;
    changed.frm_setexp.ResolutionKJ = 5;
    EXPECT_FALSE(save_settings_file(path, changed, read_only));
    EXPECT_EQ(tripdesk::read_whole_file(path), content);
}

TEST(SettingsFile, ReadOnlyVolumeTestSeesThisFolderWritable) {
    tripdesk::testing::TempFolder dir;
    EXPECT_FALSE(on_read_only_volume(dir.file(kSettingsFileName)));
}

}  // namespace
