// Reading the system's mount table and udev's device names.
#include <charconv>
#include <cstdlib>

#include "app/volumes.h"

namespace tripdesk::app {

namespace {

// The kernel writes blank, tab, newline and backslash in paths as "\ooo".
std::string decode_octal_escapes(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 3 < s.size()) {
            const std::string_view digits = s.substr(i + 1, 3);
            bool octal = digits.size() == 3;
            for (char c : digits) octal = octal && c >= '0' && c <= '7';
            if (octal) {
                out.push_back(static_cast<char>((digits[0] - '0') * 64 + (digits[1] - '0') * 8 + (digits[2] - '0')));
                i += 3;
                continue;
            }
        }
        out.push_back(s[i]);
    }
    return out;
}

std::vector<std::string_view> split_fields(std::string_view line) {
    std::vector<std::string_view> fields;
    size_t pos = 0;
    while (pos < line.size()) {
        while (pos < line.size() && line[pos] == ' ') ++pos;
        if (pos >= line.size()) break;
        const size_t end = line.find(' ', pos);
        fields.push_back(line.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos));
        pos = end == std::string_view::npos ? line.size() : end;
    }
    return fields;
}

bool parse_device(std::string_view field, unsigned& major, unsigned& minor) {
    const size_t colon = field.find(':');
    if (colon == std::string_view::npos) return false;
    const auto a = std::from_chars(field.data(), field.data() + colon, major);
    const auto b = std::from_chars(field.data() + colon + 1, field.data() + field.size(), minor);
    return a.ec == std::errc() && a.ptr == field.data() + colon && b.ec == std::errc() &&
           b.ptr == field.data() + field.size();
}

int hex_value(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::vector<MountEntry> parse_mountinfo(std::string_view text) {
    // ID PARENT MAJ:MIN ROOT MOUNT-POINT OPTIONS [OPTIONAL...] - TYPE SOURCE SUPER-OPTIONS
    std::vector<MountEntry> entries;
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t end = text.find('\n', pos);
        const std::string_view line =
            text.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos);
        pos = end == std::string_view::npos ? text.size() : end + 1;
        const auto fields = split_fields(line);
        size_t separator = 6;
        while (separator < fields.size() && fields[separator] != "-") ++separator;
        if (fields.size() < 6 || separator + 2 >= fields.size()) continue;
        MountEntry e;
        if (!parse_device(fields[2], e.major, e.minor)) continue;
        e.mount_point = decode_octal_escapes(fields[4]);
        e.fs_type = decode_octal_escapes(fields[separator + 1]);
        e.source = decode_octal_escapes(fields[separator + 2]);
        if (e.mount_point.empty() || e.mount_point.front() != '/') continue;
        entries.push_back(std::move(e));
    }
    return entries;
}

bool is_network_file_system(std::string_view fs_type) {
    for (const char* t : {"nfs", "nfs4", "cifs", "smb3", "smbfs", "fuse.sshfs"}) {
        if (fs_type == t) return true;
    }
    return false;
}

std::string decode_udev_name(std::string_view name) {
    std::string out;
    out.reserve(name.size());
    for (size_t i = 0; i < name.size(); ++i) {
        if (name[i] == '\\' && i + 3 < name.size() && name[i + 1] == 'x') {
            const int hi = hex_value(name[i + 2]);
            const int lo = hex_value(name[i + 3]);
            if (hi >= 0 && lo >= 0) {
                out.push_back(static_cast<char>(hi * 16 + lo));
                i += 3;
                continue;
            }
        }
        out.push_back(name[i]);
    }
    return out;
}

std::optional<int32_t> serial_from_uuid(std::string_view uuid) {
    std::string digits;
    if (uuid.size() == 9 && uuid[4] == '-') {
        digits = std::string(uuid.substr(0, 4)) + std::string(uuid.substr(5, 4));
    } else if (uuid.size() == 16) {
        digits = std::string(uuid.substr(8, 8));
    } else {
        return std::nullopt;
    }
    uint32_t value = 0;
    for (char c : digits) {
        const int v = hex_value(c);
        if (v < 0) return std::nullopt;
        value = value * 16 + static_cast<uint32_t>(v);
    }
    return static_cast<int32_t>(value);
}

std::string shown_file_system(std::string_view fs_type) {
    if (fs_type == "vfat" || fs_type == "msdos") return "FAT";
    if (fs_type == "exfat") return "exFAT";
    if (fs_type == "ntfs" || fs_type == "ntfs3") return "NTFS";
    return std::string(fs_type);
}

}  // namespace tripdesk::app
