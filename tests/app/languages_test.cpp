#include "app/languages.h"

#include <gtest/gtest.h>

#include <set>

using namespace tripdesk::app;

namespace {

TEST(Languages, SettingIndexGivesLanguageNumber) {
    const std::pair<int, int> cases[] = {{0, kSlovak}, {1, kCzech}, {2, kEnglish}, {3, kGerman}, {4, kSlovak},
                                         {-1, kSlovak}};
    for (const auto& [setting, number] : cases) EXPECT_EQ(language_number_from_setting(setting), number);
    EXPECT_STREQ(kLanguageNames[1], "Čeština");
    EXPECT_STREQ(kLanguageNames[2], "English [international]");
}

TEST(Languages, GridHeadingsPerLanguage) {
    const auto headings = [](int language) {
        const LanguageStrings s = lng_ReloadStrings(language);
        return std::vector<std::string>{s[tab00], s[tab01], s[tab02], s[tab03], s[tab04], s[tab05]};
    };
    EXPECT_EQ(headings(kSlovak),
              (std::vector<std::string>{"Dátum:", "Súbor:", "Vozidlo:", "Prejdené:", "Max rých.:", "Poznámka:"}));
    EXPECT_EQ(headings(kEnglish),
              (std::vector<std::string>{"Date:", "Filename:", "Vehicle:", "Length:", "Max speed:", "Note:"}));
    // Empty cells give empty texts; no other language is substituted.
    EXPECT_EQ(headings(kCzech), std::vector<std::string>(6, ""));
    EXPECT_EQ(headings(kGerman), std::vector<std::string>(6, ""));
}

TEST(Languages, StringSlotsKeepTheirExactTexts) {
    const LanguageStrings en = lng_ReloadStrings(kEnglish);
    EXPECT_EQ(en[vyp01], "- virtual drive: ");
    EXPECT_EQ(en[bar03], "- analysing tracklog record:");
    const LanguageStrings cz = lng_ReloadStrings(kCzech);
    EXPECT_EQ(cz[vyp03], "Počet záznamů :");
    EXPECT_EQ(cz[bar00], "");
    const LanguageStrings sk = lng_ReloadStrings(kSlovak);
    EXPECT_EQ(sk[bar00], " - vložte pamäťovú kartu do čítačky a zvoľte písmeno jednotky ...");
    EXPECT_EQ(sk[vyp05], "- sieťový disk:");
    EXPECT_EQ(lng_ReloadStrings(kGerman)[vyp00], "");
    EXPECT_EQ(lng_ReloadStrings(9)[vyp00], "- vymeniteľný disk:");
}

TEST(Languages, CaptionTablesOfTheFiveWindows) {
    for (const char* window : {"Tfrm_main", "Tfrm_about", "Tfrm_setexp", "Tfrm_setprg", "Tfrm_readsn"}) {
        const auto table = caption_table(window);
        ASSERT_FALSE(table.empty()) << window;
        std::set<std::string> controls;
        for (const auto& row : table) {
            EXPECT_TRUE(controls.insert(row.control).second) << window << " lists " << row.control << " twice";
            EXPECT_TRUE(caption_text(row, kSlovak).has_value()) << window << " " << row.control;
        }
    }
    EXPECT_TRUE(caption_table("Tfrm_nmea").empty());
    EXPECT_EQ(caption_table("Tfrm_main").size(), 40u);
}

TEST(Languages, CaptionCells) {
    const auto find = [](const char* window, std::string_view control) -> const CaptionRow& {
        for (const auto& row : caption_table(window)) {
            if (row.control == control) return row;
        }
        throw std::runtime_error("no row");
    };
    EXPECT_EQ(caption_text(find("Tfrm_main", "men_zmaz"), kEnglish), std::nullopt);
    EXPECT_EQ(caption_text(find("Tfrm_main", "men_konec"), kGerman), "Programm beenden");
    EXPECT_EQ(caption_text(find("Tfrm_main", "lbl_pocjaz"), kCzech), std::nullopt);
    EXPECT_EQ(caption_text(find("Tfrm_about", "Tfrm_about"), kEnglish), "About");
    EXPECT_EQ(caption_text(find("Tfrm_setexp", "lbl_vyp1"), kGerman), std::nullopt);
    EXPECT_EQ(caption_text(find("Tfrm_setprg", "btn_zatvor"), kSlovak), "Zatvoriť okno s nastaveniami programu ...");
    EXPECT_EQ(caption_text(find("Tfrm_readsn", "lbl_vyp1"), kEnglish), "Serial number:");
    EXPECT_EQ(caption_text(find("Tfrm_main", "men_oprg"), 0), std::nullopt);
}

}  // namespace
