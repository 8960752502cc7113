#include "app/settings.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

#include "app/settings_keys.h"
#include "common/c_format.h"

namespace tripdesk::app {

namespace {

struct Reader {
    const IniFile& ini;

    template <class T>
    void operator()(const KeyInfo& info, T& field) const {
        if (!(info.flags & kRead)) return;
        const auto text = ini.get(info.section, info.key);
        if (!text) return;
        read(*text, field);
    }

    static void read(const std::string& text, int& field) {
        if (const auto v = parse_profile_int(text)) field = *v;
    }
    static void read(const std::string& text, bool& field) {
        if (const auto v = parse_profile_bool(text)) field = *v;
    }
    static void read(const std::string& text, double& field) {
        if (const auto v = parse_profile_float(text)) field = *v;
    }
    static void read(const std::string& text, std::string& field) { field = text; }
    static void read(const std::string& text, std::optional<CalendarDate>& field) {
        if (const auto v = parse_settings_date(text)) field = *v;
    }
};

struct Writer {
    IniFile& ini;
    bool normal_state;

    template <class T>
    void operator()(const KeyInfo& info, const T& field) const {
        if (!(info.flags & kWrite)) return;
        if ((info.flags & kGeometry) && !normal_state) return;
        if (const auto text = format(field)) ini.set(info.section, info.key, *text);
    }

    static std::optional<std::string> format(int v) { return std::to_string(v); }
    static std::optional<std::string> format(bool v) { return std::string(v ? "1" : "0"); }
    static std::optional<std::string> format(double v) { return format_profile_float(v); }
    static std::optional<std::string> format(const std::string& v) { return v; }
    // An unset calendar date is not written: the key keeps what the file had.
    static std::optional<std::string> format(const std::optional<CalendarDate>& v) {
        if (!v) return std::nullopt;
        return format_settings_date(*v);
    }
};

std::optional<int> parse_number(std::string_view text) {
    if (text.empty() || text.size() > 4) return std::nullopt;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

std::string_view trim_blanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

}  // namespace

std::string user_home_folder() {
    if (const char* home = std::getenv("HOME"); home && *home) return home;
    if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir && *pw->pw_dir) return pw->pw_dir;
    return "/";
}

DefaultFolders default_folders(const std::string& user_home) {
    std::string base = user_home;
    while (base.size() > 1 && base.back() == '/') base.pop_back();
    if (base == "/") base.clear();
    return DefaultFolders{
        base + "/TRANiS/Kniha jízd/KJ_GPS",
        base + "/_KML_files",
        base + "/_HTML_files",
        base + "/MRP/Podvojné účtovníctvo/Data0001",
        base + "/MRP/Podvojné účtovníctvo/DATA0001",
        base + "/_MRP_bazy",
    };
}

Settings default_settings(const std::string& user_home) {
    const DefaultFolders folders = default_folders(user_home);
    Settings s;
    s.frm_setexp.OutputDirKJ = folders.logbook_output;
    s.frm_setexp.OutputDirKML = folders.kml_output;
    s.frm_setexp.OutputDirHTML = folders.html_output;
    s.frm_setexp.DatabasesMRP = folders.mrp_databases;
    return s;
}

Settings read_settings(const IniFile& ini, const Settings& defaults) {
    Settings s = defaults;
    for_each_settings_key(s, Reader{ini});
    return s;
}

void write_settings(const Settings& settings, IniFile& ini) {
    for_each_settings_key(settings, Writer{ini, settings.frm_main.WindowState == "wsNormal"});
}

std::optional<CalendarDate> parse_settings_date(std::string_view text) {
    text = trim_blanks(text);
    std::optional<int> year, month, day;
    if (text.size() == 10 && text[4] == '-' && text[7] == '-') {
        year = parse_number(text.substr(0, 4));
        month = parse_number(text.substr(5, 2));
        day = parse_number(text.substr(8, 2));
    } else {
        const auto dot1 = text.find('.');
        const auto dot2 = dot1 == std::string_view::npos ? dot1 : text.find('.', dot1 + 1);
        if (dot2 == std::string_view::npos) return std::nullopt;
        day = parse_number(trim_blanks(text.substr(0, dot1)));
        month = parse_number(trim_blanks(text.substr(dot1 + 1, dot2 - dot1 - 1)));
        const std::string_view year_text = trim_blanks(text.substr(dot2 + 1));
        if (year_text.size() != 4) return std::nullopt;
        year = parse_number(year_text);
    }
    if (!year || !month || !day) return std::nullopt;
    const CalendarDate date{std::chrono::year{*year}, std::chrono::month{static_cast<unsigned>(*month)},
                            std::chrono::day{static_cast<unsigned>(*day)}};
    if (!date.ok()) return std::nullopt;
    return date;
}

std::string format_settings_date(const CalendarDate& date) {
    return c_format("%.4d-%.2u-%.2u", static_cast<int>(date.year()), static_cast<unsigned>(date.month()),
                    static_cast<unsigned>(date.day()));
}

}  // namespace tripdesk::app
