#include "app/languages.h"

namespace tripdesk::app {

const std::array<const char*, kLanguageCount> kLanguageNames = {
    "Slovensky", "Čeština", "English [international]", "Deutch"};

int language_number_from_setting(int language_setting) {
    if (language_setting < 0 || language_setting >= kLanguageCount) return kSlovak;
    return language_setting + 1;
}

namespace {

using Cells = std::array<const char*, kLanguageCount>;

// Slovak, Czech, English, German; in StringSlot order.
constexpr std::array<Cells, kStringSlotCount> kStringSlots = {{
    Cells{"- vymeniteľný disk:", "- výměnný disk:", "- removable drive:", nullptr},  // vyp00
    Cells{"- virtuálny disk:", "- virtuální disk:", "- virtual drive: ", nullptr},  // vyp01
    Cells{"Prebieha analýza záznamov ...", "Probíhá analýza záznamů ...", "Analysing tracklog records ...", nullptr},  // vyp02
    Cells{"Počet záznamov:", "Počet záznamů :", "Number of records:", nullptr},  // vyp03
    Cells{"vybraných:", "vybraných :", "selected:", nullptr},  // vyp04
    Cells{"- sieťový disk:", "- síťový disk:", "- network drive:", nullptr},  // vyp05
    Cells{"Dátum:", nullptr, "Date:", nullptr},  // tab00
    Cells{"Súbor:", nullptr, "Filename:", nullptr},  // tab01
    Cells{"Vozidlo:", nullptr, "Vehicle:", nullptr},  // tab02
    Cells{"Prejdené:", nullptr, "Length:", nullptr},  // tab03
    Cells{"Max rých.:", nullptr, "Max speed:", nullptr},  // tab04
    Cells{"Poznámka:", nullptr, "Note:", nullptr},  // tab05
    Cells{" - vložte pamäťovú kartu do čítačky a zvoľte písmeno jednotky ...", nullptr, " - insert memory card and select drive letter ...", nullptr},  // bar00
    Cells{" - generovanie tachografu pre:", nullptr, " - generating tachograph for:", nullptr},  // bar01
    Cells{"hotovo", nullptr, "ready", nullptr},  // bar02
    Cells{" - analýza záznamu jazdy:", nullptr, "- analysing tracklog record:", nullptr},  // bar03
    Cells{" - písmeno vybranej jednotky:", nullptr, " - selected drive letter:", nullptr},  // bar04
    Cells{"(prebieha analýza disku ...)", nullptr, "(analysing drive)", nullptr},  // bar05
}};

constexpr CaptionRow kMainCaptions[] = {
    {"chk_aktmes", {"zobrazovať len aktuálny mesiac ...", "zobrazovat pouze aktuální měsíc ...", "show only selected month ...", "Abbilden nur zeitnahe Monat..."}},
    {"Label1", {"Súkromné:", nullptr, "Private:", "Private:"}},
    {"Label2", {"Celkom:", "Celkem :", "Total:", "Vollständig:"}},
    {"Label3", {"Vybrané:", "Vybrané :", "Selected:", "Die ausgewählte:"}},
    {"lbl_inf00", {"Disk label:", "Označení disku :", "Disk label:", "Plattenspeicheretikett:"}},
    {"lbl_inf01", {"Free space:", "Volné místo :", "Free space:", "Freie Stelle:"}},
    {"lbl_inf02", {"Total space:", "Celková velikost :", "Total space:", "Völlige Größe:"}},
    {"lbl_inf03", {"Serial number:", "Sériové číslo :", "Serial number:", "Seriennummer:"}},
    {"lbl_inf04", {"File system:", "Souborový systém:", "File system:", "Dateisystem:"}},
    {"lbl_nadpis", {"Prehľad záznamov na pamäťovej karte:", "Přehled záznamů na paměťové kartě :", "List of tracklogs stored on memory card:", "Überschau Aufnahme an Speichern Karte:"}},
    {"lbl_pocjaz", {"Počet záznamov: 0 (vybraných: 0)", nullptr, "Number of records: 0 (selected: 0)", "Aufnahmeanzahl: 0"}},
    {"men_grp00", {"Súbor", "Soubor", "File", "Datei"}},
    {"men_otimg", {"Otvoriť obraz jednoky", "Otevřít obraz jednotky", "Open drive image", "Eröffnen Anblick Einheiten"}},
    {"men_ulimg", {"Uložiť obraz jednoky", "Uložit obraz jednotky", "Save drive image", "Image Einheiten aufspeichern"}},
    {"men_zmaz", {"Vymazať vybrané súbory", nullptr, nullptr, nullptr}},
    {"men_dlr4470", {"Import dát z DLR4470", nullptr, nullptr, nullptr}},
    {"men_konec", {"Ukončiť program", "Ukončit program", "Exit program", "Programm beenden"}},
    {"men_grp10", {"Jazdy", "Jízdy", "Tracks", "Fahrten"}},
    {"men_expkj", {"Exportovať vybrané do KJ", "Exportovat vybrané do KJ", "Export selected to KJ", "Die ausgewählte exportieren in FB"}},
    {"men_expkml", {"Exportovať vybrané do KML", "Exportovat vybrané do KML", "Export selected to KML", "Die ausgewählte exportieren in KML"}},
    {"men_exmrp", {"Exportovať vybrané do MRP", nullptr, nullptr, nullptr}},
    {"men_zobMAP", {"Zobraziť jazdy v Google MAPS", nullptr, nullptr, nullptr}},
    {"men_gmapskj", {"Zoznam zastavení cez GMAPS", nullptr, nullptr, nullptr}},
    {"men_email", {"Poslať vybrané jazdy emailom", nullptr, nullptr, nullptr}},
    {"men_selall", {"Vybrať všetky jazdy", "Vybrat všechny jízdy", "Select all tracks", "Alle Fahrten auswählen"}},
    {"men_selnon", {"Zrušiť výber jázd", "Zrušit výběr jízd", "Cancel selection", "Auswahl Fahrt stornieren"}},
    {"men_gpr20", {"Možnosti", nullptr, nullptr, nullptr}},
    {"men_presuk", {"Prehľad súkromných jázd", nullptr, nullptr, nullptr}},
    {"men_nmea", {"Analýza GPS záznamu", nullptr, nullptr, nullptr}},
    {"men_setexp", {"Nastavenia exportu záznamov", nullptr, nullptr, nullptr}},
    {"men_setprg", {"Ostatné nastavenia programu", nullptr, nullptr, nullptr}},
    {"men_grp30", {"Nástroje", "Nástroje", "Tools", "Aktionen"}},
    {"men_run1", {"Spustiť program Kniha Jázd", nullptr, nullptr, nullptr}},
    {"men_run2", {"Spustiť program Google Earth", nullptr, nullptr, nullptr}},
    {"men_readsn", {"Identifikácia zariadenia", "Identifikace zařízení ", "Read serial number", "Gerätidentifikation"}},
    {"men_aktufw", {"Aktualizácia firmwaru", "Aktualizace firmware", "Firmware upgrade", "Firmware Aktualisierung "}},
    {"men_format", {"Formátovať pamäťovú kartu", nullptr, nullptr, nullptr}},
    {"men_grp40", {"Pomoc", "Pomoc", "Help", "Hilfe"}},
    {"men_aktu", {"Skontrolovať verziu", "Aktualizace", "Actualisation", "Aktualisierung"}},
    {"men_oprg", {"O programe ...", "O programu ...", "About ...", "Über Programm..."}},
};

constexpr CaptionRow kAboutCaptions[] = {
    {"Tfrm_about", {"Informácie o programe", "O programu", "About", nullptr}},
    {"btn_zatvor", {"Zatvoriť", "Zavřít", "Close", nullptr}},
};

constexpr const char* kSetexpKjFormat = "Formát pre Knihu Jázd (Speedy, Autoplan, Autopark):";

constexpr CaptionRow kSetexpCaptions[] = {
    {"Tfrm_setexp", {"Nastavenia pre export záznamov", "Nastavení exportu záznamů", "Tracklog export settings:",
                     "Tracklog export settings:"}},
    {"btn_ulozit", {"Obnoviť pôvodné nastavenia programu ...", "Obnovit tovární nastavení ...",
                    "Reset to default settings ...", "Reset to default settings ..."}},
    {"btn_zatvor", {"Zatvoriť", "Zavřít", "Close", "Close"}},
    {"lbl_vyp0", {kSetexpKjFormat, kSetexpKjFormat, kSetexpKjFormat, kSetexpKjFormat}},
    {"lbl_vyp1", {"Formát KML (Google Earth):", "Formát KML (Google Earth) :", "Google Earth file format:", nullptr}},
};

constexpr CaptionRow kSetprgCaptions[] = {
    {"Tfrm_setprg", {"Nastavenia programu", "Nastavení programu:", "Program settings:", "Programme bestellung:"}},
    {"btn_zatvor", {"Zatvoriť okno s nastaveniami programu ...", "Zavřít tohle okno ...", "Close this window ...",
                    nullptr}},
    {"lbl_vyp00", {"Select language / vyberte jazyk:", "Select language / zvolte jazyk:", "Select language from list:",
                   nullptr}},
    {"lbl_vyp01", {"Select language / vyberte jazyk:", nullptr, nullptr, nullptr}},
    {"CheckBox1", {"ukladať nastavenie pri ukončení ...", nullptr, nullptr, nullptr}},
};

// The identification window's row captions have no control names of their
// own; they are lbl_verzia, lbl_frekv, lbl_pozn and lbl_port. The Slovak
// column holds the window's design captions so that switching back to
// Slovak restores them.
constexpr CaptionRow kReadsnCaptions[] = {
    {"Tfrm_readsn", {"Identifikácia zariadenia", "Identifikace zařízení", "Read serial number:", nullptr}},
    {"btn_readsn", {"Identifikovať zariadenie ...", "Identifikovat zařízení ...", nullptr, nullptr}},
    {"btn_zatvor", {"Zatvoriť", "Zavřít", nullptr, nullptr}},
    {"lbl_vyp1", {"Výrobné číslo zariadenia:", "Výrobní číslo zařízení :", "Serial number:", nullptr}},
    {"lbl_verzia", {"Verzia hardvéru:", "Verze hardware :", nullptr, nullptr}},
    {"lbl_frekv", {"Frekvencia CPU:", "Frekvence CPU :", nullptr, nullptr}},
    {"lbl_pozn", {"Poznámky:", "Poznámky :", nullptr, nullptr}},
    {"lbl_port", {"Komunikačný port:", "Komunikační port :", nullptr, nullptr}},
};

}  // namespace

LanguageStrings lng_ReloadStrings(int language_number) {
    if (language_number < 1 || language_number > kLanguageCount) language_number = kSlovak;
    LanguageStrings strings;
    for (int slot = 0; slot < kStringSlotCount; ++slot) {
        const char* text = kStringSlots[slot][language_number - 1];
        strings.texts[slot] = text ? text : "";
    }
    return strings;
}

std::span<const CaptionRow> caption_table(std::string_view window_class) {
    if (window_class == "Tfrm_main") return kMainCaptions;
    if (window_class == "Tfrm_about") return kAboutCaptions;
    if (window_class == "Tfrm_setexp") return kSetexpCaptions;
    if (window_class == "Tfrm_setprg") return kSetprgCaptions;
    if (window_class == "Tfrm_readsn") return kReadsnCaptions;
    return {};
}

std::optional<std::string> caption_text(const CaptionRow& row, int language_number) {
    if (language_number < 1 || language_number > kLanguageCount) return std::nullopt;
    const char* text = row.text[language_number - 1];
    if (!text) return std::nullopt;
    return std::string(text);
}

}  // namespace tripdesk::app
