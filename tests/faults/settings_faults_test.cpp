// Damaged settings files: binary garbage, a line of a megabyte, duplicated
// sections. Loading gives what the good lines say and the defaults for the
// rest, writing back keeps every line the program does not own, and the
// `tripdesk` command runs with such a file.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <random>

#include "app/settings_file.h"
#include "common/atomic_file.h"
#include "export/scratch_folder.h"
#include "faults/fault_card.h"
#include "faults/fault_run.h"

using namespace std::string_literals;
using namespace tripdesk;
using namespace tripdesk::app;
using tripdesk::testing::ScratchFolder;

namespace {

std::string garbage(size_t n, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(n, '\0');
    for (char& c : bytes) c = static_cast<char>(random() & 0xFF);
    return bytes;
}

struct Damaged {
    std::string text;
    std::vector<std::string> foreign_lines;  // must survive a write back
};

Damaged damaged_file() {
    Damaged d;
    const std::string noise_line = garbage(300, 1);
    const std::string long_value(1 << 20, '7');
    const std::string long_line = "; " + std::string(1 << 20, 'x');
    // Keep the noise free of line breaks so it is one line that must survive.
    std::string noise;
    for (char c : noise_line) noise += (c == '\n' || c == '\r') ? '?' : c;
    d.text = noise + "\r\n"
             "[FRM_SETEXP]\r\n"
             "ResolutionKJ=" + long_value + "\r\n"
             "ResolutionKML=75\r\n" +
             long_line + "\r\n"
             "ZastaveniaHTML=\x01\x02\xff\r\n"
             "Vlastny kluc=ostava\r\n"
             "[FRM_SETEXP]\r\n"
             "ResolutionKML=999\r\n"
             "ResolutionHTML=33\r\n"
             "[EMAIL]\r\n"
             "Host=" + std::string(1 << 20, 'h') + "\r\n"
             "Port=25x\r\n"
             "Signature=Podpis\0skryty\r\n"s
             "[FRM_MAIN]\r\n"
             "Koeficient=\x80\x81zz\x7f\r\n";
    d.foreign_lines = {noise, long_line, "Vlastny kluc=ostava", "[FRM_SETEXP]\r\nResolutionKML=999"};
    return d;
}

TEST(SettingsFaults, DamagedFileLoadsGoodKeysAndDefaultsForTheRest) {
    ScratchFolder scratch("settings_faults");
    const std::string path = scratch.file(kSettingsFileName);
    const Damaged d = damaged_file();
    write_file_atomically(path, d.text);
    const Settings defaults = default_settings("/home/nobody");
    const LoadedSettings loaded = load_settings_file(path, defaults, [](const std::string&) { return false; });
    const Settings& s = loaded.settings;
    // The first section of a name and the first key of a name count.
    EXPECT_EQ(s.frm_setexp.ResolutionKML, 75);
    EXPECT_EQ(s.frm_setexp.ResolutionHTML, defaults.frm_setexp.ResolutionHTML);
    // Values no number can be made of keep the defaults.
    EXPECT_EQ(s.frm_setexp.ZastaveniaHTML, defaults.frm_setexp.ZastaveniaHTML);
    EXPECT_EQ(s.frm_main.Koeficient, defaults.frm_main.Koeficient);
    EXPECT_EQ(s.email.Host.size(), size_t(1) << 20);
    EXPECT_EQ(s.frm_setexp.OutputDirKJ, defaults.frm_setexp.OutputDirKJ);

    // Written back, every line the program does not own is still there.
    ASSERT_TRUE(save_settings_file(path, s, [](const std::string&) { return false; }));
    const std::string written = read_whole_file(path);
    for (const std::string& line : d.foreign_lines)
        EXPECT_NE(written.find(line), std::string::npos) << line.substr(0, 40);
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    // And it reads back to the same settings.
    const LoadedSettings again = load_settings_file(path, defaults, [](const std::string&) { return false; });
    EXPECT_EQ(again.settings.frm_setexp.ResolutionKML, 75);
    EXPECT_EQ(again.settings.email.Host, s.email.Host);
    EXPECT_EQ(again.settings.frm_setexp.ResolutionKJ, s.frm_setexp.ResolutionKJ);
}

TEST(SettingsFaults, PureNoiseGivesTheDefaults) {
    ScratchFolder scratch("settings_noise");
    const std::string path = scratch.file(kSettingsFileName);
    const std::string noise = garbage(1 << 16, 3);
    write_file_atomically(path, noise);
    const Settings defaults = default_settings("/home/nobody");
    const LoadedSettings loaded = load_settings_file(path, defaults, [](const std::string&) { return false; });
    EXPECT_EQ(loaded.settings.frm_setexp.ResolutionKJ, defaults.frm_setexp.ResolutionKJ);
    EXPECT_EQ(loaded.settings.email.Port, defaults.email.Port);
    ASSERT_TRUE(save_settings_file(path, loaded.settings, [](const std::string&) { return false; }));
    // The noise is kept as it was, the program's keys follow it.
    const std::string written = read_whole_file(path);
    EXPECT_EQ(written.substr(0, noise.size()), noise);
}

TEST(SettingsFaults, CommandRunsWithADamagedFile) {
    ScratchFolder scratch("settings_cli");
    const std::string ini = scratch.file("damaged.ini");
    write_file_atomically(ini, damaged_file().text);
    const std::string before = read_whole_file(ini);
    const std::string card = scratch.folder("card") + "/";
    faults::make_fault_card(card);
    const faults::ProcessRun run = faults::run_tripdesk({"--ini", ini, "scan", card, "--date", "2009-03-10"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("100309.GPS"), std::string::npos) << run.out;
    // The command never writes the settings file.
    EXPECT_EQ(read_whole_file(ini), before);
}

}  // namespace
