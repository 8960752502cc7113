#pragma once
// The program's four languages and its translation tables (data only; the
// windows apply them). Language numbers run 1 to 4; the Language setting is
// the chooser index 0-3, so the number is the setting plus one.
//
// Two kinds of table:
//  - string slots: the 18 texts of the main window that the program builds
//    into other texts at run time (drive-list prefixes, grid headings, status
//    texts). lng_ReloadStrings fills them; an empty cell gives an empty text.
//  - caption tables of the five translated windows (Tfrm_main, Tfrm_about,
//    Tfrm_setexp, Tfrm_setprg, Tfrm_readsn): for each control (by its
//    objectName; the row named after the window class is the window title)
//    its text per language. An empty cell leaves the control's text as it is.
#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tripdesk::app {

constexpr int kLanguageCount = 4;
constexpr int kSlovak = 1;
constexpr int kCzech = 2;
constexpr int kEnglish = 3;
constexpr int kGerman = 4;

// The chooser's entries: "Slovensky", "Čeština", "English [international]", "Deutch".
extern const std::array<const char*, kLanguageCount> kLanguageNames;

// The active language number for a Language setting; a setting outside 0-3
// (a hand-edited file) gives Slovak rather than a language without texts.
int language_number_from_setting(int language_setting);

enum StringSlot : int {
    vyp00, vyp01, vyp02, vyp03, vyp04, vyp05,
    tab00, tab01, tab02, tab03, tab04, tab05,
    bar00, bar01, bar02, bar03, bar04, bar05,
    kStringSlotCount
};

struct LanguageStrings {
    std::array<std::string, kStringSlotCount> texts;
    const std::string& operator[](StringSlot slot) const { return texts[slot]; }
};

// Fills the 18 slots for a language number 1-4 (any other number gives the
// Slovak texts).
LanguageStrings lng_ReloadStrings(int language_number);

struct CaptionRow {
    const char* control;                      // objectName, or the window class for its title
    std::array<const char*, kLanguageCount> text;  // nullptr: empty cell
};

// The caption table of a translated window; empty for any other class name.
std::span<const CaptionRow> caption_table(std::string_view window_class);

// The text of one row for a language number, or nullopt when the cell is empty.
std::optional<std::string> caption_text(const CaptionRow& row, int language_number);

}  // namespace tripdesk::app
