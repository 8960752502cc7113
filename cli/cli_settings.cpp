#include "cli/cli_settings.h"

#include "app/data_folder.h"
#include "app/settings_file.h"
#include "app/settings_keys.h"

namespace tripdesk::cli {

namespace {

bool same_ascii(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

struct OverrideCheck {
    std::string_view section;
    std::string_view key;
    std::string_view value;
    bool section_known = false;
    bool key_found = false;
    bool readable = false;
    bool value_ok = false;

    template <class T>
    void operator()(const app::KeyInfo& info, const T& field) {
        if (!same_ascii(info.section, section)) return;
        section_known = true;
        if (!same_ascii(info.key, key) || !(info.flags & app::kRead)) {
            if (same_ascii(info.key, key)) key_found = true;
            return;
        }
        key_found = readable = true;
        value_ok = parses(field);
    }

    bool parses(const int&) const { return app::parse_profile_int(value).has_value(); }
    bool parses(const bool&) const { return app::parse_profile_bool(value).has_value(); }
    bool parses(const double&) const { return app::parse_profile_float(value).has_value(); }
    bool parses(const std::string&) const { return true; }
    bool parses(const std::optional<app::CalendarDate>&) const {
        return app::parse_settings_date(value).has_value();
    }
};

void apply_override(app::IniFile& ini, const std::string& name, const std::string& value) {
    const auto dot = name.find('.');
    const std::string section = dot == std::string::npos ? "" : name.substr(0, dot);
    const std::string key = dot == std::string::npos ? "" : name.substr(dot + 1);
    if (section.empty() || key.empty() || section.find_first_of("[]") != std::string::npos)
        throw UsageError{"--set takes SECTION.KEY=VALUE, not " + name};
    OverrideCheck check{section, key, value};
    const app::Settings probe;
    app::for_each_settings_key(probe, check);
    if (check.section_known) {
        if (!check.key_found) throw UsageError{"unknown setting " + name};
        if (!check.readable) throw UsageError{"setting " + name + " is only written, never read"};
        if (!check.value_ok) throw UsageError{"bad value for " + name + ": " + value};
    }
    ini.set(section, key, value);
}

}  // namespace

CommandSettings load_command_settings(const GlobalOptions& global) {
    CommandSettings cs;
    cs.data_folder = app::choose_data_folder(app::data_folder_inputs(global.home));
    cs.ini_path = global.ini.empty() ? cs.data_folder + app::kSettingsFileName : global.ini;
    const app::Settings defaults = app::default_settings(app::user_home_folder());
    app::LoadedSettings loaded = app::load_settings_file(cs.ini_path, defaults);
    cs.ini = std::move(loaded.ini);
    for (const auto& [name, value] : global.settings) apply_override(cs.ini, name, value);
    cs.settings = app::read_settings(cs.ini, defaults);
    return cs;
}

}  // namespace tripdesk::cli
