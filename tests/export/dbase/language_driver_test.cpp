#include "export/dbase/language_driver.h"

#include <gtest/gtest.h>

#include "export/dbase/dbase_error.h"

namespace tripdesk::dbase {
namespace {

const std::string kLower = "čďěňřšťžľĺŕôäúůýáéíó";
const std::string kUpper = "ČĎĚŇŘŠŤŽĽĹŔÔÄÚŮÝÁÉÍÓ";

// Bytes of a few letters in the code page tables of the two DOS code pages.
struct Letter {
    const char* utf8;
    unsigned char cp852, cp867;
};
const Letter kLetters[] = {
    {"č", 0x9F, 0x87}, {"Č", 0xAC, 0x80}, {"ř", 0xFD, 0xA9}, {"Ř", 0xFC, 0x9E}, {"š", 0xE7, 0xA8},
    {"Š", 0xE6, 0x9B}, {"ž", 0xA7, 0x91}, {"Ž", 0xA6, 0x92}, {"ľ", 0x96, 0x8C}, {"Ľ", 0x95, 0x9C},
    {"ô", 0x93, 0x93}, {"ů", 0x85, 0x96}, {"ý", 0xEC, 0x98}, {"á", 0xA0, 0xA0}, {"ĺ", 0x92, 0x8D},
};

TEST(LanguageDriver, CzechAndSlovakLettersInTheDosCodePages) {
    for (const uint8_t id : {0x1F, 0x87, 0x20}) {
        SCOPED_TRACE(int(id));
        const LanguageDriver driver(id);
        const std::string lower = driver.encode(kLower), upper = driver.encode(kUpper);
        // One byte per letter, and back to the same text.
        EXPECT_EQ(lower.size(), 20u);
        EXPECT_EQ(upper.size(), 20u);
        EXPECT_EQ(driver.decode(lower), kLower);
        EXPECT_EQ(driver.decode(upper), kUpper);
        // UPPER() in keys maps every letter onto its capital.
        for (size_t i = 0; i < lower.size(); ++i) EXPECT_EQ(driver.upper(lower[i]), upper[i]) << i;
        for (const Letter& l : kLetters)
            EXPECT_EQ(driver.encode(l.utf8), std::string(1, char(id == 0x20 ? l.cp867 : l.cp852))) << l.utf8;
    }
    EXPECT_EQ(LanguageDriver(0x1F).code_page(), 852);
    EXPECT_EQ(LanguageDriver(0x20).code_page(), 867);
}

TEST(LanguageDriver, ACharacterTheCodePageLacksIsNamed) {
    struct Case {
        uint8_t driver;
        const char* text;
        const char* character;
        const char* where;
    } cases[] = {
        {0x1F, "Škoda 5 €", "€", "code page 852"},
        {0x20, "Győr", "ő", "code page 867"},
        {0x57, "Čadca", "Č", "code page 1252"},
        {0x00, "Žilina", "Ž", "language driver 0x00 (ASCII only)"},
    };
    for (const Case& c : cases) {
        try {
            LanguageDriver(c.driver).encode(c.text);
            ADD_FAILURE() << c.text << " encoded";
        } catch (const DbaseError& e) {
            const std::string m = e.what();
            EXPECT_NE(m.find(std::string("character \"") + c.character + "\" in \"" + c.text + "\""), std::string::npos) << m;
            EXPECT_NE(m.find(c.where), std::string::npos) << m;
        }
    }
}

}  // namespace
}  // namespace tripdesk::dbase
