#include "export/dbase/dbf_table.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <set>

#include "common/c_format.h"
#include "export/dbase/byte_order.h"
#include "export/dbase/dbase_error.h"

namespace tripdesk::dbase {
namespace {

constexpr size_t kHeaderSize = 32;
constexpr size_t kDescriptorSize = 32;
constexpr char kEndOfFile = 0x1A;

uint8_t checked_driver_id(const std::string& name, const std::string& image) {
    if (image.size() < kHeaderSize + 1) throw DbaseError(name + ": too short for a dBase table");
    return static_cast<uint8_t>(image[29]);
}

std::string upper_ascii(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = char(c - 32);
    return out;
}

std::string_view trim_blanks(std::string_view s) {
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    return s;
}

// A number as dBase writes it in a numeric field: blanks around, an optional
// sign, digits with an optional "." part. Blank is zero.
bool parse_number(std::string_view text, double& value) {
    text = trim_blanks(text);
    if (text.empty()) {
        value = 0;
        return true;
    }
    std::string_view digits = text;
    if (digits.front() == '+') digits.remove_prefix(1);
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value,
                                           std::chars_format::fixed);
    return ec == std::errc() && end == digits.data() + digits.size();
}

}  // namespace

DbfTable::DbfTable(std::string name, std::string image)
    : name_(std::move(name)), driver_(checked_driver_id(name_, image)) {
    const auto version = static_cast<unsigned char>(image[0]);
    if (version != 0x03 && version != 0x83 && version != 0x8B)
        throw DbaseError(name_ + c_format(": table version 0x%02X is not dBase III/IV", version));
    if (image[14] != 0) throw DbaseError(name_ + ": the table is inside an unfinished transaction");
    if (image[15] != 0) throw DbaseError(name_ + ": the table is encrypted");
    stored_count_ = get_u32(image, 4);
    header_length_ = get_u16(image, 8);
    record_length_ = get_u16(image, 10);
    if (header_length_ < kHeaderSize + 1 || header_length_ > image.size() || record_length_ < 2)
        throw DbaseError(name_ + ": header or record length is damaged");

    std::set<std::string> names;
    size_t offset = 1;
    for (size_t at = kHeaderSize; image[at] != 0x0D; at += kDescriptorSize) {
        if (at + kDescriptorSize >= header_length_) throw DbaseError(name_ + ": field descriptors are not terminated");
        FieldDescriptor f;
        const std::string_view raw(image.data() + at, 11);
        f.name = upper_ascii(raw.substr(0, std::min(raw.find('\0'), raw.size())));
        f.type = char(std::toupper(static_cast<unsigned char>(image[at + 11])));
        f.length = int(get_u8(image, at + 16));
        f.decimals = int(get_u8(image, at + 17));
        f.offset = offset;
        offset += size_t(f.length);
        const bool sized = f.length > 0 && (f.type != 'D' || f.length == 8) && (f.type != 'L' || f.length == 1) &&
                           (f.type != 'M' || f.length == 10);
        if (std::string("CNFDLM").find(f.type) == std::string::npos || !sized || f.name.empty())
            throw DbaseError(name_ + ": field \"" + f.name + "\" has type " + std::string(1, f.type) +
                             " of length " + std::to_string(f.length) + ", which the engine does not handle");
        if ((f.type == 'N' || f.type == 'F') && f.decimals > 0 && f.decimals + 2 > f.length)
            throw DbaseError(name_ + ": field \"" + f.name + "\" has more decimals than its length allows");
        if (!names.insert(f.name).second) throw DbaseError(name_ + ": field \"" + f.name + "\" appears twice");
        fields_.push_back(f);
    }
    if (fields_.empty() || offset != record_length_)
        throw DbaseError(name_ + ": field lengths do not add up to the record length");

    const size_t data_end = header_length_ + stored_count_ * record_length_;
    const bool exact = image.size() == data_end;
    const bool marked = image.size() == data_end + 1 && image.back() == kEndOfFile;
    if (!exact && !marked)
        throw DbaseError(name_ + ": the file length does not match its record count " + std::to_string(stored_count_));
    image.resize(data_end);
    stored_ = std::move(image);
    for (size_t r = 0; r < stored_count_; ++r) {
        const char flag = record_bytes(r)[0];
        if (flag != ' ' && flag != '*') throw DbaseError(name_ + ": record " + std::to_string(r + 1) + " is damaged");
    }
}

const FieldDescriptor* DbfTable::find_field(std::string_view name) const {
    const std::string wanted = upper_ascii(name);
    for (const FieldDescriptor& f : fields_)
        if (f.name == wanted) return &f;
    return nullptr;
}

const FieldDescriptor& DbfTable::field(std::string_view name) const {
    if (const FieldDescriptor* f = find_field(name)) return *f;
    throw DbaseError(name_ + ": field \"" + std::string(name) + "\" does not exist");
}

std::string_view DbfTable::record_bytes(size_t record) const {
    if (record < stored_count_)
        return std::string_view(stored_).substr(header_length_ + record * record_length_, record_length_);
    return std::string_view(appended_).substr((record - stored_count_) * record_length_, record_length_);
}

char* DbfTable::writable_record(size_t record) {
    if (record < stored_count_ || record >= record_count())
        throw DbaseError(name_ + ": only appended records can be changed");
    return appended_.data() + (record - stored_count_) * record_length_;
}

std::string_view DbfTable::field_bytes(size_t record, const FieldDescriptor& f) const {
    return record_bytes(record).substr(f.offset, size_t(f.length));
}

std::string DbfTable::text(size_t record, std::string_view name) const {
    std::string_view bytes = field_bytes(record, field(name));
    while (!bytes.empty() && bytes.back() == ' ') bytes.remove_suffix(1);
    return driver_.decode(bytes);
}

double DbfTable::number(size_t record, std::string_view name) const {
    const FieldDescriptor& f = field(name);
    double value = 0;
    if (f.type == 'D' || f.type == 'L' || f.type == 'M' || !parse_number(field_bytes(record, f), value))
        throw DbaseError(name_ + ": field \"" + f.name + "\" of record " + std::to_string(record + 1) +
                         " holds no number");
    return value;
}

CalendarDate DbfTable::date(size_t record, std::string_view name) const {
    const FieldDescriptor& f = field(name);
    CalendarDate d;
    if (f.type != 'D' || !parse_dtos(field_bytes(record, f), d))
        throw DbaseError(name_ + ": field \"" + f.name + "\" of record " + std::to_string(record + 1) +
                         " holds no date");
    return d;
}

size_t DbfTable::append() {
    appended_.append(record_length_, ' ');
    return record_count() - 1;
}

void DbfTable::store(size_t record, const FieldDescriptor& f, std::string_view bytes) {
    std::copy(bytes.begin(), bytes.end(), writable_record(record) + f.offset);
}

void DbfTable::set_text(size_t record, std::string_view name, std::string_view utf8) {
    const FieldDescriptor& f = field(name);
    const auto refuse = [&](const char* what) {
        throw DbaseError(name_ + ": \"" + std::string(utf8) + "\" is not " + what + " for field \"" + f.name + "\"");
    };
    switch (f.type) {
        case 'C': {
            std::string bytes = driver_.encode(utf8);
            bytes.resize(size_t(f.length), ' ');
            store(record, f, bytes);
            return;
        }
        case 'N':
        case 'F': {
            double value = 0;
            if (!parse_number(utf8, value)) refuse("a number");
            set_number(record, name, value);
            return;
        }
        case 'D': {
            CalendarDate d;
            if (!parse_dtos(trim_blanks(utf8).empty() ? std::string_view("        ") : utf8, d)) refuse("a date");
            set_date(record, name, d);
            return;
        }
        case 'L': {
            const std::string v = upper_ascii(trim_blanks(utf8));
            if (v == "T" || v == "TRUE" || v == "Y" || v == ".T.") return store(record, f, "T");
            if (v == "F" || v == "FALSE" || v == "N" || v == ".F.") return store(record, f, "F");
            if (v.empty()) return store(record, f, " ");
            refuse("a truth value");
            return;
        }
        default: refuse("storable");
    }
}

void DbfTable::set_number(size_t record, std::string_view name, double value) {
    const FieldDescriptor& f = field(name);
    if (f.type == 'C') return set_text(record, name, c_format("%.*f", f.decimals, value));
    if (f.type != 'N' && f.type != 'F')
        throw DbaseError(name_ + ": field \"" + f.name + "\" takes no number");
    const double scale = std::pow(10.0, f.decimals);
    double rounded = std::round(value * scale) / scale;
    if (rounded == 0) rounded = 0;  // no "-0.0"
    const std::string text = c_format("%*.*f", f.length, f.decimals, rounded);
    if (!std::isfinite(value) || text.size() > size_t(f.length))
        throw DbaseError(name_ + ": " + c_format("%.*f", f.decimals, value) + " does not fit field \"" + f.name +
                         "\" (" + std::to_string(f.length) + " characters)");
    store(record, f, text);
}

void DbfTable::set_date(size_t record, std::string_view name, const CalendarDate& date) {
    const FieldDescriptor& f = field(name);
    if (!date.empty() && !valid_date(date)) throw DbaseError(name_ + ": invalid date for field \"" + f.name + "\"");
    if (f.type == 'D') return store(record, f, to_dtos(date));
    if (f.type == 'C') return set_text(record, name, to_dtos(date));
    throw DbaseError(name_ + ": field \"" + f.name + "\" takes no date");
}

std::string DbfTable::image(const CalendarDate& today) const {
    std::string out;
    out.reserve(stored_.size() + appended_.size() + 1);
    out = stored_;
    out += appended_;
    out += kEndOfFile;
    if (!appended_.empty()) {
        put_u8(out, 1, uint32_t(std::clamp(today.year - 1900, 0, 255)));
        put_u8(out, 2, uint32_t(today.month));
        put_u8(out, 3, uint32_t(today.day));
    }
    put_u32(out, 4, uint32_t(record_count()));
    return out;
}

}  // namespace tripdesk::dbase
