#include "app/ini_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "common/atomic_file.h"
#include "common/io_error.h"
#include "temp_folder.h"

using tripdesk::app::IniFile;
using tripdesk::app::parse_profile_bool;
using tripdesk::app::parse_profile_float;
using tripdesk::app::parse_profile_int;

namespace {

TEST(IniFile, LooksUpLikeWindowsProfiles) {
    const IniFile ini = IniFile::parse(
        "[frm_main]\n"
        "  Koeficient =  1.25  \n"
        "KOEFICIENT=9\n"            // a second key of the same name does not count
        "Quoted=\"  padded  \"\n"
        "Single='x'\n"
        "Lonely=\"\n"               // one quote is text
        "Empty=\n"
        "[FRM_MAIN]\n"              // a second section of the same name does not count
        "Other=1\n"
        "[ EMAIL ]\n"
        "Host=a=b\n");
    EXPECT_EQ(ini.get("FRM_MAIN", "koeficient"), "1.25");
    EXPECT_EQ(ini.get("Frm_Main", "Quoted"), "  padded  ");
    EXPECT_EQ(ini.get("FRM_MAIN", "Single"), "x");
    EXPECT_EQ(ini.get("FRM_MAIN", "Lonely"), "\"");
    EXPECT_EQ(ini.get("FRM_MAIN", "Empty"), "");
    EXPECT_EQ(ini.get("FRM_MAIN", "Other"), std::nullopt);
    EXPECT_EQ(ini.get("FRM_MAIN", "Missing"), std::nullopt);
    EXPECT_EQ(ini.get("email", "host"), "a=b");
    EXPECT_EQ(ini.get("PROXY", "Server"), std::nullopt);
}

TEST(IniFile, WriteKeepsEveryOtherLine) {
    const std::string original =
        "; written by hand\r\n"
        "[FRM_MAIN]\r\n"
        "force20byte=1\r\n"
        "WindowState=wsNormal\r\n"
        "this line is no key\r\n"
        "\r\n"
        "[MY_OWN]\r\n"
        "# a comment\r\n"
        "Anything=goes\r\n";
    IniFile ini = IniFile::parse(original);
    EXPECT_EQ(ini.serialize(), original);

    ini.set("frm_main", "windowstate", "wsMaximized");  // replaced in place, file's spelling kept
    ini.set("FRM_MAIN", "FormTop", "10");                // after the section's last line, before the blank
    ini.set("EMAIL", "Host", "smtp.example.com");        // a new section at the end
    EXPECT_EQ(ini.serialize(),
              "; written by hand\r\n"
              "[FRM_MAIN]\r\n"
              "force20byte=1\r\n"
              "WindowState=wsMaximized\r\n"
              "this line is no key\r\n"
              "FormTop=10\r\n"
              "\r\n"
              "[MY_OWN]\r\n"
              "# a comment\r\n"
              "Anything=goes\r\n"
              "\r\n"
              "[EMAIL]\r\n"
              "Host=smtp.example.com\r\n");
}

TEST(IniFile, ByteOrderMarkIsKeptAndIgnoredForLookup) {
    IniFile ini = IniFile::parse("\xEF\xBB\xBF[FRM_SETPRG]\nLanguage=2\n");
    EXPECT_EQ(ini.get("FRM_SETPRG", "Language"), "2");
    ini.set("FRM_SETPRG", "Language", "3");
    EXPECT_EQ(ini.serialize(), "\xEF\xBB\xBF[FRM_SETPRG]\nLanguage=3\n");
}

TEST(IniFile, ValuesCannotSpillIntoOtherLines) {
    IniFile ini;
    ini.set("FRM_SETPRG", "GmapsKey", "line1\r\n[EMAIL]\r\nPassword=stolen");
    ini.set("EMAIL", "Signature", "  Ján  ");
    ini.set("EMAIL", "Sender", "\"quoted\"");
    const IniFile back = IniFile::parse(ini.serialize());
    EXPECT_EQ(back.get("FRM_SETPRG", "GmapsKey"), "line1[EMAIL]Password=stolen");
    EXPECT_EQ(back.get("EMAIL", "Password"), std::nullopt);
    EXPECT_EQ(back.get("EMAIL", "Signature"), "  Ján  ");
    EXPECT_EQ(back.get("EMAIL", "Sender"), "\"quoted\"");
}

TEST(IniFile, MalformedFileLoadsWhatItCan) {
    std::string text = "Orphan=before any section\n[BROKEN\nA=1\n=no key\n";
    text += std::string("\x01\xff\xfe garbage\0\n", 13);
    text += "[CAS_OKNO]\nw1=08:00:00 12:00:00\n[]\nx=y\n[CAS_OKNO]\nw9=ignored\n[LAST]\nB=2";  // no final line end
    const IniFile ini = IniFile::parse(text);
    EXPECT_EQ(ini.get("BROKEN", "A"), "1");
    EXPECT_EQ(ini.get("CAS_OKNO", "w1"), "08:00:00 12:00:00");
    EXPECT_EQ(ini.get("CAS_OKNO", "w9"), std::nullopt);
    EXPECT_EQ(ini.get("LAST", "B"), "2");
    EXPECT_EQ(ini.key_names("BROKEN"), (std::vector<std::string>{"A"}));
    EXPECT_EQ(IniFile::parse(ini.serialize()).serialize(), ini.serialize());
}

TEST(IniFile, SectionEntriesComeInFileOrder) {
    const IniFile ini = IniFile::parse(
        "[CAR_LIST]\n"
        "0000000042=BA-123AB,Octavia\n"
        "; not a key\n"
        "0000000007=\n"
        "0000000042=second value\n"
        "0000000001=KE-1,Fabia\n");
    EXPECT_EQ(ini.key_names("car_list"),
              (std::vector<std::string>{"0000000042", "0000000007", "0000000042", "0000000001"}));
    const auto entries = ini.entries("CAR_LIST");
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0], (std::pair<std::string, std::string>{"0000000042", "BA-123AB,Octavia"}));
    EXPECT_EQ(entries[1].second, "");
    EXPECT_EQ(entries[2].second, "BA-123AB,Octavia");  // a lookup by name finds the first
    EXPECT_TRUE(ini.key_names("CAS_OKNO").empty());
    EXPECT_FALSE(ini.has_section("CAS_OKNO"));
}

TEST(IniFile, SaveIsAtomicAndOwnerOnly) {
    tripdesk::testing::TempFolder dir;
    const std::string path = dir.file("MARVEK7_tripdesk.ini");
    EXPECT_EQ(IniFile::load(path).serialize(), "");  // missing file: empty
    tripdesk::write_file_atomically(path, "[EMAIL]\nPassword=old\n", 0644);
    IniFile ini = IniFile::load(path);
    ini.set("EMAIL", "Password", "secret");
    ini.save(path);
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_EQ(IniFile::load(path).get("EMAIL", "Password"), "secret");
    EXPECT_THROW(IniFile::load(dir.path()), tripdesk::IoError);  // a folder is not a readable file
    EXPECT_THROW(ini.save(dir.file("no/such/folder.ini")), tripdesk::IoError);
}

TEST(ProfileValues, Integers) {
    const std::pair<const char*, std::optional<int>> cases[] = {
        {"250", 250},   {" -24 ", -24}, {"+7", 7},           {"$1F", 31},   {"0x10", 16},
        {"", {}},       {"12a", {}},    {"1.5", {}},         {"--1", {}},   {"0x", {}},
        {"2147483647", 2147483647},     {"2147483648", {}},  {"-2147483648", -2147483647 - 1},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(parse_profile_int(text), expected) << text;
}

TEST(ProfileValues, BooleansAreIntegers) {
    const std::pair<const char*, std::optional<bool>> cases[] = {
        {"1", true}, {"0", false}, {"5", true}, {"-1", true}, {"true", {}}, {"", {}}, {"yes", {}},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(parse_profile_bool(text), expected) << text;
}

TEST(ProfileValues, FloatsUsePoint) {
    const std::pair<const char*, std::optional<double>> cases[] = {
        {"1.0", 1.0}, {"0.975", 0.975}, {" 2 ", 2.0}, {"-0.5", -0.5}, {"1e2", 100.0},
        {"1,5", {}},  {"", {}},         {"abc", {}},  {"inf", {}},    {"nan", {}},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(parse_profile_float(text), expected) << text;
    for (double v : {1.0, 0.1, 1.0 / 3.0, 1e-7, 123456.789}) {
        EXPECT_EQ(parse_profile_float(tripdesk::app::format_profile_float(v)), v);
    }
    EXPECT_EQ(tripdesk::app::format_profile_float(1.0), "1");
    EXPECT_EQ(tripdesk::app::format_profile_float(0.25), "0.25");
}

}  // namespace
