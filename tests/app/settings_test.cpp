#include "app/settings.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

using namespace tripdesk::app;
using std::chrono::day;
using std::chrono::month;
using std::chrono::year;

namespace {

// Every key of the written file, as "SECTION.Key" in file order.
std::vector<std::string> written_keys(const IniFile& ini) {
    std::vector<std::string> keys;
    for (const char* section : {"FRM_MAIN", "PROXY", "FRM_READSN", "FRM_SWUP", "FRM_SUKJAZ", "FRM_SETEXP",
                                "FRM_SETPRG", "EMAIL", "FRM_DLR4470"}) {
        for (const auto& key : ini.key_names(section)) keys.push_back(std::string(section) + "." + key);
    }
    return keys;
}

TEST(Settings, DefaultsOfAFreshStart) {
    const Settings s = read_settings(IniFile{}, default_settings("/home/jan"));
    EXPECT_EQ(s.frm_main.WindowState, "wsNormal");
    EXPECT_FALSE(s.frm_main.CalenSelDate.has_value());
    EXPECT_FALSE(s.frm_main.Administrator);
    EXPECT_EQ(s.frm_main.DatumDel, "/");
    EXPECT_EQ(s.frm_main.CisloDel, ".");
    EXPECT_EQ(s.frm_main.GeoDelay, 100);
    EXPECT_EQ(s.frm_main.Koeficient, 1.0);
    EXPECT_EQ(s.frm_main.GeoService, "https://maps.googleapis.com/maps/api/geocode/xml");
    EXPECT_EQ(s.frm_main.GeoCaFile, "");
    EXPECT_EQ(s.proxy.Port, 0);
    EXPECT_EQ(s.frm_readsn.SerialPort, "COM1");
    EXPECT_EQ(s.frm_swup.SerialPort, "COM1");
    EXPECT_FALSE(s.frm_sukjaz.SukrOnly);
    EXPECT_TRUE(s.frm_sukjaz.Nenulove);
    EXPECT_EQ(s.frm_setexp.ResolutionKJ, 250);
    EXPECT_EQ(s.frm_setexp.ResolutionKML, 50);
    EXPECT_EQ(s.frm_setexp.ResolutionHTML, 50);
    EXPECT_EQ(s.frm_setexp.ZastaveniaHTML, 110);
    EXPECT_EQ(s.frm_setexp.OutputDirKJ, "/home/jan/TRANiS/Kniha jízd/KJ_GPS");
    EXPECT_EQ(s.frm_setexp.OutputDirKML, "/home/jan/_KML_files");
    EXPECT_EQ(s.frm_setexp.OutputDirHTML, "/home/jan/_HTML_files");
    EXPECT_EQ(s.frm_setexp.DatabasesMRP, "/home/jan/MRP/Podvojné účtovníctvo/Data0001");
    EXPECT_TRUE(s.frm_setexp.IgnoreSluz);
    EXPECT_FALSE(s.frm_setexp.IgnoreKrat);
    EXPECT_EQ(s.frm_setexp.TimeOffMRP, 2);
    EXPECT_EQ(s.frm_setprg.Language, 0);
    EXPECT_EQ(s.email.Port, 25);
    EXPECT_EQ(s.email.Password, "");
    EXPECT_EQ(s.frm_dlr4470.Prac_od, "07");
    EXPECT_EQ(s.frm_dlr4470.Prac_do, "17");
    EXPECT_EQ(s.frm_dlr4470.Koeficient, 1.0);
    EXPECT_EQ(default_folders("/").kml_output, "/_KML_files");
    EXPECT_EQ(default_folders("/home/jan/").mrp_design, "/home/jan/_MRP_bazy");
}

TEST(Settings, ExitWritesExactlyTheWrittenKeys) {
    Settings s = default_settings("/home/jan");
    s.frm_main.CalenSelDate = CalendarDate{year{2009}, month{3}, day{15}};
    s.frm_main.CalenEndDate = CalendarDate{year{2009}, month{3}, day{20}};
    IniFile ini;
    write_settings(s, ini);
    const std::vector<std::string> expected = {
        "FRM_MAIN.WindowState", "FRM_MAIN.FormTop", "FRM_MAIN.FormLeft", "FRM_MAIN.FormHeight",
        "FRM_MAIN.FormWidth", "FRM_MAIN.CalenSelDate", "FRM_MAIN.CalenEndDate", "FRM_MAIN.ActMonthOnly",
        "FRM_MAIN.DriveLetter", "FRM_MAIN.VirtDrive", "PROXY.Server", "PROXY.Port", "FRM_READSN.SerialPort",
        "FRM_SWUP.SerialPort", "FRM_SUKJAZ.SukrOnly", "FRM_SUKJAZ.Nenulove", "FRM_SETEXP.ResolutionKJ",
        "FRM_SETEXP.ResolutionKML", "FRM_SETEXP.ResolutionHTML", "FRM_SETEXP.ZastaveniaHTML",
        "FRM_SETEXP.OutputDirKJ", "FRM_SETEXP.OutputDirKML", "FRM_SETEXP.OutputDirHTML", "FRM_SETEXP.EmailKJ",
        "FRM_SETEXP.EmailKML", "FRM_SETEXP.EmailHTML", "FRM_SETEXP.IgnoreSluz", "FRM_SETEXP.IgnoreKrat",
        "FRM_SETEXP.DatabasesMRP", "FRM_SETEXP.TimeOffMRP", "FRM_SETPRG.Language", "FRM_SETPRG.GoogleEarthDir",
        "FRM_SETPRG.KnihaJazdDir", "FRM_SETPRG.GmapsKey", "EMAIL.Host", "EMAIL.Username", "EMAIL.Password",
        "EMAIL.Address", "EMAIL.Sender", "EMAIL.Signature", "FRM_DLR4470.Prac_od", "FRM_DLR4470.Prac_do",
        "FRM_DLR4470.Koeficient", "FRM_DLR4470.LenPracovne", "FRM_DLR4470.PouzitTagy",
    };
    EXPECT_EQ(written_keys(ini), expected);
    EXPECT_EQ(ini.get("FRM_MAIN", "CalenSelDate"), "2009-03-15");
    EXPECT_EQ(ini.get("FRM_SETEXP", "IgnoreSluz"), "1");
    EXPECT_EQ(ini.get("FRM_DLR4470", "Koeficient"), "1");
}

TEST(Settings, EveryValueSurvivesARoundTrip) {
    Settings s = default_settings("/home/jan");
    s.frm_main.FormTop = -5;
    s.frm_main.FormWidth = 1200;
    s.frm_main.CalenSelDate = CalendarDate{year{2024}, month{2}, day{29}};
    s.frm_main.ActMonthOnly = true;
    s.proxy = {"proxy.local", 3128};
    s.frm_readsn.SerialPort = "ttyUSB0";
    s.frm_swup.SerialPort = "ttyACM1";
    s.frm_sukjaz = {true, false};
    s.frm_setexp.ResolutionKML = 20;
    s.frm_setexp.OutputDirKML = "/media/data/KML files";
    s.frm_setexp.EmailHTML = true;
    s.frm_setexp.IgnoreSluz = false;
    s.frm_setexp.TimeOffMRP = -24;
    s.frm_setprg = {3, "/opt/kj/kj.exe", "/opt/earth/earth", "key with = sign"};
    s.email.Password = " pass word ";
    s.email.Signature = "Ján Novák";
    s.frm_dlr4470 = {"06", "18", 0.975, true, true};
    IniFile ini;
    write_settings(s, ini);
    const Settings back = read_settings(IniFile::parse(ini.serialize()), default_settings("/elsewhere"));
    EXPECT_EQ(back.frm_main.FormTop, -5);
    EXPECT_EQ(back.frm_main.FormWidth, 1200);
    EXPECT_EQ(back.frm_main.CalenSelDate, s.frm_main.CalenSelDate);
    EXPECT_TRUE(back.frm_main.ActMonthOnly);
    EXPECT_EQ(back.proxy.Server, "proxy.local");
    EXPECT_EQ(back.proxy.Port, 3128);
    EXPECT_EQ(back.frm_readsn.SerialPort, "ttyUSB0");
    EXPECT_EQ(back.frm_swup.SerialPort, "ttyACM1");
    EXPECT_TRUE(back.frm_sukjaz.SukrOnly);
    EXPECT_FALSE(back.frm_sukjaz.Nenulove);
    EXPECT_EQ(back.frm_setexp.ResolutionKML, 20);
    EXPECT_EQ(back.frm_setexp.OutputDirKML, "/media/data/KML files");
    EXPECT_EQ(back.frm_setexp.OutputDirKJ, "/home/jan/TRANiS/Kniha jízd/KJ_GPS");
    EXPECT_TRUE(back.frm_setexp.EmailHTML);
    EXPECT_FALSE(back.frm_setexp.IgnoreSluz);
    EXPECT_EQ(back.frm_setexp.TimeOffMRP, -24);
    EXPECT_EQ(back.frm_setprg.Language, 3);
    EXPECT_EQ(back.logbook_program_path(), "/opt/kj/kj.exe");
    EXPECT_EQ(back.google_earth_path(), "/opt/earth/earth");
    EXPECT_EQ(back.frm_setprg.GmapsKey, "key with = sign");
    EXPECT_EQ(back.email.Password, " pass word ");
    EXPECT_EQ(back.email.Signature, "Ján Novák");
    EXPECT_EQ(back.frm_dlr4470.Prac_od, "06");
    EXPECT_EQ(back.frm_dlr4470.Koeficient, 0.975);
    EXPECT_TRUE(back.frm_dlr4470.PouzitTagy);
}

TEST(Settings, ProgramPathsAreStoredCrosswise) {
    const Settings s = read_settings(
        IniFile::parse("[FRM_SETPRG]\nGoogleEarthDir=/opt/kniha/kj\nKnihaJazdDir=/opt/earth/googleearth\n"),
        default_settings("/h"));
    EXPECT_EQ(s.logbook_program_path(), "/opt/kniha/kj");
    EXPECT_EQ(s.google_earth_path(), "/opt/earth/googleearth");
}

TEST(Settings, UnreadableValuesKeepTheirDefaults) {
    const Settings s = read_settings(IniFile::parse("[FRM_MAIN]\n"
                                                    "FormTop=abc\n"
                                                    "Administrator=true\n"
                                                    "CasoveOkno=2\n"
                                                    "Koeficient=1,5\n"
                                                    "CalenSelDate=31.02.2009\n"
                                                    "CalenEndDate=15.3.2009\n"
                                                    "DatumDel=\n"
                                                    "WindowState=wsFloating\n"
                                                    "[FRM_SETEXP]\n"
                                                    "ResolutionKJ=\n"
                                                    "OutputDirKML=\n"
                                                    "[frm_dlr4470]\n"
                                                    "KOEFICIENT=0.5\n"),
                                     default_settings("/h"));
    EXPECT_EQ(s.frm_main.FormTop, kDesignFormTop);
    EXPECT_FALSE(s.frm_main.Administrator);
    EXPECT_TRUE(s.frm_main.CasoveOkno);
    EXPECT_EQ(s.frm_main.Koeficient, 1.0);
    EXPECT_FALSE(s.frm_main.CalenSelDate.has_value());
    EXPECT_EQ(s.frm_main.CalenEndDate, (CalendarDate{year{2009}, month{3}, day{15}}));
    EXPECT_EQ(s.frm_main.DatumDel, "");  // present but empty text is empty
    EXPECT_EQ(s.frm_main.WindowState, "wsFloating");  // the window decides what it means
    EXPECT_EQ(s.frm_setexp.ResolutionKJ, 250);
    EXPECT_EQ(s.frm_setexp.OutputDirKML, "");
    EXPECT_EQ(s.frm_dlr4470.Koeficient, 0.5);  // a key of another section, same name
}

TEST(Settings, MaximisedExitKeepsTheFileGeometry) {
    IniFile ini = IniFile::parse("[FRM_MAIN]\nFormTop=11\nFormLeft=22\nFormHeight=333\nFormWidth=444\n");
    Settings s = read_settings(ini, default_settings("/h"));
    s.frm_main.WindowState = "wsMaximized";
    s.frm_main.FormTop = 0;
    s.frm_main.FormWidth = 1920;
    write_settings(s, ini);
    EXPECT_EQ(ini.get("FRM_MAIN", "WindowState"), "wsMaximized");
    EXPECT_EQ(ini.get("FRM_MAIN", "FormTop"), "11");
    EXPECT_EQ(ini.get("FRM_MAIN", "FormWidth"), "444");

    IniFile fresh;
    write_settings(s, fresh);
    EXPECT_FALSE(fresh.get("FRM_MAIN", "FormTop").has_value());
}

TEST(Settings, HandMadeKeysSurviveTheExitWrite) {
    IniFile ini = IniFile::parse("[FRM_MAIN]\nForce20byte=1\nAdministrator=1\nMyNote=keep me\n"
                                 "[CAR_LIST]\n0000000042=BA-123AB,Octavia\n");
    const Settings s = read_settings(ini, default_settings("/h"));
    EXPECT_TRUE(s.frm_main.Force20byte);
    EXPECT_TRUE(s.frm_main.Administrator);
    write_settings(s, ini);
    EXPECT_EQ(ini.get("FRM_MAIN", "Force20byte"), "1");
    EXPECT_EQ(ini.get("FRM_MAIN", "Administrator"), "1");
    EXPECT_EQ(ini.get("FRM_MAIN", "MyNote"), "keep me");
    EXPECT_EQ(ini.get("CAR_LIST", "0000000042"), "BA-123AB,Octavia");
}

TEST(SettingsDates, ReadForms) {
    const std::pair<const char*, std::optional<CalendarDate>> cases[] = {
        {"2009-03-15", CalendarDate{year{2009}, month{3}, day{15}}},
        {"15.3.2009", CalendarDate{year{2009}, month{3}, day{15}}},
        {" 01.12.2026 ", CalendarDate{year{2026}, month{12}, day{1}}},
        {"29.2.2024", CalendarDate{year{2024}, month{2}, day{29}}},
        {"29.2.2023", std::nullopt},
        {"2009-13-01", std::nullopt},
        {"15.3.09", std::nullopt},
        {"15/3/2009", std::nullopt},
        {"", std::nullopt},
        {"x.y.zzzz", std::nullopt},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(parse_settings_date(text), expected) << text;
    EXPECT_EQ(format_settings_date(CalendarDate{year{2009}, month{3}, day{5}}), "2009-03-05");
}

}  // namespace

#include "app/version.h"

TEST(VersionText, MinorPatchTweak) {
    EXPECT_EQ(tripdesk::app::format_version_text(1, 7, 84), "01.07.84");
    EXPECT_EQ(tripdesk::app::format_version_text(0, 1, 0), "00.01.00");
    EXPECT_EQ(tripdesk::app::program_version_text(), "00.01.00");  // the project version 1.0.1.0
}
