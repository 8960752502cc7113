// The settings store: any text parses; lookups, writes and the text written
// back keep the store's promises (a value set reads back as set, also after
// the text is written and read again; every line survives).
#include <algorithm>

#include "app/ini_file.h"
#include "fuzz/fuzz_support.h"

using namespace tripdesk::app;
using tripdesk::fuzz::expect;
using tripdesk::fuzz::without_cr;

namespace {

// A section or key name as the program spells them: letters, digits, "_".
std::string plain_name(std::string_view raw) {
    static constexpr char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789_";
    std::string name;
    for (const char c : raw.substr(0, 12)) name.push_back(kChars[static_cast<unsigned char>(c) % (sizeof kChars - 1)]);
    return name.empty() ? std::string("K") : name;
}

// A value as it reads back: line breaks and NUL characters are dropped.
std::string stored_value(std::string_view value) {
    std::string out;
    for (const char c : value) {
        if (c != '\r' && c != '\n' && c != '\0') out.push_back(c);
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tripdesk::fuzz::InputCursor in(data, size);
    const std::string section = plain_name(in.part());
    const std::string key = plain_name(in.part());
    const std::string_view value = in.part();
    const std::string_view text = in.rest();

    IniFile ini = IniFile::parse(text);
    const std::string written = ini.serialize();
    // A line of a file with mixed line ends may lose a carriage return at
    // its end (blanks there mean nothing to a lookup); nothing else changes.
    expect(without_cr(IniFile::parse(written).serialize()) == without_cr(written),
           "text written back reads back the same");

    // Every key of every section the text names reads and converts.
    for (const std::string& s : {section, std::string("FRM_MAIN"), std::string("CAR_LIST")}) {
        for (const auto& [name, v] : ini.entries(s)) {
            expect(ini.get(s, name) == v, "entries give the values lookups give");
            parse_profile_int(v);
            parse_profile_bool(v);
            if (const auto f = parse_profile_float(v)) {
                expect(parse_profile_float(format_profile_float(*f)) == *f, "a float written reads back the same");
            }
        }
    }

    // Lines, not bytes: a value set over a longer one shortens the text.
    const auto line_count = [](const std::string& t) { return std::count(t.begin(), t.end(), '\n'); };
    const auto lines_before = line_count(written);
    ini.set(section, key, value);
    const std::string expected = stored_value(value);
    expect(ini.get(section, key) == expected, "a value set reads back as set");
    const IniFile reread = IniFile::parse(ini.serialize());
    expect(reread.get(section, key) == expected, "a value set reads back after writing");
    expect(line_count(ini.serialize()) >= lines_before, "setting a value keeps every other line");
    return 0;
}
