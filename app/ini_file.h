#pragma once
// The settings file as a list of its lines, with the lookup rules of Windows
// profile files: section and key names match without regard to ASCII case,
// the first section of a name and the first key of a name in it count, and
// every other line (comments, unknown sections, hand-made keys, text that is
// not a key at all) is kept as it was when the file is written back.
//
//   [Section]        section header; text after "]" is ignored
//   Key = value      key and value are trimmed of blanks and tabs; a value
//                    enclosed in matching quotes ('...' or "...") loses them
//   ; comment        lines starting with ";" or "#" are never keys
//
// A malformed file loads what it can: lines that are none of the above are
// skipped by every lookup and survive a write.
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tripdesk::app {

class IniFile {
public:
    IniFile() = default;
    // Parses text (LF or CRLF line ends; a leading UTF-8 byte-order mark is kept).
    static IniFile parse(std::string_view text);
    // Reads and parses a file; a missing file gives an empty IniFile.
    // Other read failures throw IoError.
    static IniFile load(const std::string& path);

    // The value of a key, or nullopt when the section or the key is absent.
    // A key present with an empty value gives "".
    std::optional<std::string> get(std::string_view section, std::string_view key) const;
    // Sets a key: replaces the value of the first matching key line (the
    // line keeps its key spelling), else inserts a line after the section's
    // last entry, else appends the section. Line breaks and NUL characters are
    // dropped from the value so it cannot spill into further lines; a value
    // with leading or trailing blanks, or one that looks quoted, is written in
    // double quotes so it reads back unchanged.
    void set(std::string_view section, std::string_view key, std::string_view value);

    bool has_section(std::string_view section) const;
    // Key names of the first matching section in file order (duplicates too,
    // as Windows lists them); empty when the section is absent.
    std::vector<std::string> key_names(std::string_view section) const;
    // Keys with their values in file order; for a duplicated key name the
    // value is that of its first occurrence, as a lookup by name gives it.
    std::vector<std::pair<std::string, std::string>> entries(std::string_view section) const;

    // The text to write back: every original line plus the changes.
    std::string serialize() const;
    // Writes serialize() atomically with owner-only permissions (0600): the
    // file holds the SMTP password. Throws IoError.
    void save(const std::string& path) const;

private:
    struct Range {
        size_t header;  // index of the "[...]" line
        size_t end;     // one past the section's last line
    };
    std::optional<Range> find_section(std::string_view section) const;
    std::optional<size_t> find_key(const Range& range, std::string_view key) const;

    std::vector<std::string> lines_;  // without line ends
    std::string line_end_ = "\n";
    bool bom_ = false;
};

// Values read the way the program reads them; nullopt means "use the default".
// Integers: decimal with optional sign, or hexadecimal as "$1F" / "0x1F"; out
// of the 32-bit range fails.
std::optional<int> parse_profile_int(std::string_view text);
// Booleans: any integer, non-zero is true ("true" is not an integer).
std::optional<bool> parse_profile_bool(std::string_view text);
// Floats: "." as decimal separator, optional exponent; "1,5" fails.
std::optional<double> parse_profile_float(std::string_view text);

// The shortest text that reads back as the same double ("1", "0.25").
std::string format_profile_float(double value);

}  // namespace tripdesk::app
