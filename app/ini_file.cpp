#include "app/ini_file.h"

#include <cerrno>
#include <charconv>
#include <climits>
#include <cmath>
#include <sys/stat.h>

#include "common/atomic_file.h"
#include "common/c_format.h"
#include "common/io_error.h"

namespace tripdesk::app {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

std::string_view trim(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return s;
}

char ascii_lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool same_name(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (ascii_lower(a[i]) != ascii_lower(b[i])) return false;
    }
    return true;
}

// The name of a "[name]" line, or nullopt for any other line.
std::optional<std::string_view> section_name(std::string_view line) {
    line = trim(line);
    if (line.empty() || line.front() != '[') return std::nullopt;
    line.remove_prefix(1);
    const auto close = line.find(']');
    if (close != std::string_view::npos) line = line.substr(0, close);
    return trim(line);
}

struct KeyLine {
    std::string_view key;
    std::string_view value;
};

std::optional<KeyLine> key_line(std::string_view line) {
    line = trim(line);
    if (line.empty() || line.front() == ';' || line.front() == '#' || line.front() == '[') return std::nullopt;
    const auto eq = line.find('=');
    if (eq == std::string_view::npos) return std::nullopt;
    const std::string_view key = trim(line.substr(0, eq));
    if (key.empty()) return std::nullopt;
    std::string_view value = trim(line.substr(eq + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return KeyLine{key, value};
}

std::string value_for_line(std::string_view value) {
    std::string clean;
    clean.reserve(value.size());
    for (char c : value) {
        if (c != '\r' && c != '\n' && c != '\0') clean.push_back(c);
    }
    const bool needs_quotes =
        !clean.empty() && (trim(clean).size() != clean.size() ||
                           (clean.size() >= 2 && (clean.front() == '"' || clean.front() == '\'') &&
                            clean.back() == clean.front()));
    return needs_quotes ? "\"" + clean + "\"" : clean;
}

}  // namespace

IniFile IniFile::parse(std::string_view text) {
    IniFile ini;
    if (text.substr(0, kBom.size()) == kBom) {
        ini.bom_ = true;
        text.remove_prefix(kBom.size());
    }
    const auto first_lf = text.find('\n');
    if (first_lf != std::string_view::npos && first_lf > 0 && text[first_lf - 1] == '\r') ini.line_end_ = "\r\n";
    while (!text.empty()) {
        const auto lf = text.find('\n');
        std::string_view line = text.substr(0, lf);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        ini.lines_.emplace_back(line);
        if (lf == std::string_view::npos) break;
        text.remove_prefix(lf + 1);
    }
    return ini;
}

IniFile IniFile::load(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 && errno == ENOENT) return IniFile{};
    return parse(read_whole_file(path));
}

std::optional<IniFile::Range> IniFile::find_section(std::string_view section) const {
    for (size_t i = 0; i < lines_.size(); ++i) {
        const auto name = section_name(lines_[i]);
        if (!name || !same_name(*name, section)) continue;
        size_t end = i + 1;
        while (end < lines_.size() && !section_name(lines_[end])) ++end;
        return Range{i, end};
    }
    return std::nullopt;
}

std::optional<size_t> IniFile::find_key(const Range& range, std::string_view key) const {
    for (size_t i = range.header + 1; i < range.end; ++i) {
        const auto kl = key_line(lines_[i]);
        if (kl && same_name(kl->key, key)) return i;
    }
    return std::nullopt;
}

std::optional<std::string> IniFile::get(std::string_view section, std::string_view key) const {
    const auto range = find_section(section);
    if (!range) return std::nullopt;
    const auto at = find_key(*range, key);
    if (!at) return std::nullopt;
    return std::string(key_line(lines_[*at])->value);
}

void IniFile::set(std::string_view section, std::string_view key, std::string_view value) {
    const std::string text = value_for_line(value);
    const auto range = find_section(section);
    if (!range) {
        if (!lines_.empty() && !trim(lines_.back()).empty()) lines_.emplace_back();
        lines_.push_back("[" + std::string(section) + "]");
        lines_.push_back(std::string(key) + "=" + text);
        return;
    }
    if (const auto at = find_key(*range, key)) {
        lines_[*at] = std::string(key_line(lines_[*at])->key) + "=" + text;
        return;
    }
    // After the last non-blank line, so a blank line before the next section stays there.
    size_t insert_at = range->end;
    while (insert_at > range->header + 1 && trim(lines_[insert_at - 1]).empty()) --insert_at;
    lines_.insert(lines_.begin() + static_cast<long>(insert_at), std::string(key) + "=" + text);
}

bool IniFile::has_section(std::string_view section) const { return find_section(section).has_value(); }

std::vector<std::string> IniFile::key_names(std::string_view section) const {
    std::vector<std::string> names;
    const auto range = find_section(section);
    if (!range) return names;
    for (size_t i = range->header + 1; i < range->end; ++i) {
        if (const auto kl = key_line(lines_[i])) names.emplace_back(kl->key);
    }
    return names;
}

std::vector<std::pair<std::string, std::string>> IniFile::entries(std::string_view section) const {
    std::vector<std::pair<std::string, std::string>> out;
    for (auto& name : key_names(section)) {
        std::string value = get(section, name).value_or("");
        out.emplace_back(std::move(name), std::move(value));
    }
    return out;
}

std::string IniFile::serialize() const {
    std::string out;
    if (bom_) out += kBom;
    for (const auto& line : lines_) {
        out += line;
        out += line_end_;
    }
    return out;
}

void IniFile::save(const std::string& path) const { write_file_atomically(path, serialize(), 0600); }

std::optional<int> parse_profile_int(std::string_view text) {
    text = trim(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (!text.empty() && text.front() == '$') {
        base = 16;
        text.remove_prefix(1);
    } else if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty()) return std::nullopt;
    long long magnitude = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
    if (ec != std::errc{} || end != text.data() + text.size() || magnitude < 0) return std::nullopt;
    const long long value = negative ? -magnitude : magnitude;
    if (value < INT_MIN || value > INT_MAX) return std::nullopt;
    return static_cast<int>(value);
}

std::optional<bool> parse_profile_bool(std::string_view text) {
    const auto number = parse_profile_int(text);
    if (!number) return std::nullopt;
    return *number != 0;
}

std::optional<double> parse_profile_float(std::string_view text) {
    text = trim(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::string format_profile_float(double value) {
    for (int precision = 1; precision < 17; ++precision) {
        std::string text = c_format("%.*g", precision, value);
        if (parse_profile_float(text) == value) return text;
    }
    return c_format("%.17g", value);
}

}  // namespace tripdesk::app
