#include "export/dbase/language_driver.h"

#include <array>
#include <cerrno>
#include <iconv.h>
#include <locale.h>
#include <map>
#include <mutex>
#include <wctype.h>

#include "common/c_format.h"
#include "export/dbase/dbase_error.h"

namespace tripdesk::dbase {
namespace {

struct DriverInfo {
    int code_page;
    bool binary_order;
};

DriverInfo driver_info(uint8_t id) {
    switch (id) {
        case 0x00: return {0, true};      // engine default: ASCII only, byte order
        case 0x1B: return {437, true};    // dBASE ENU cp437
        case 0x57: return {1252, true};   // ANSI 'ascii'
        case 0x58:                        // ANSI Western Europe
        case 0x59:                        // ANSI Spanish
        case 0x03: return {1252, false};  // Windows ANSI code page mark
        case 0x1F:                        // dBASE CSY cp852
        case 0x87:                        // dBASE SLO cp852
        case 0x22:                        // dBASE HUN cp852
        case 0x23:                        // dBASE PLK cp852
        case 0x64: return {852, false};   // Eastern European MS-DOS mark
        case 0xC8: return {1250, false};  // Windows Eastern European mark
        default: return {0, false};
    }
}

constexpr char32_t kNone = 0xFFFFFFFF;

// Byte -> Unicode table of one code page, built once through iconv.
struct CodePageTable {
    std::array<char32_t, 256> to_unicode{};
    std::map<char32_t, unsigned char> from_unicode;
};

const CodePageTable& table_for(int code_page) {
    static std::mutex mutex;
    static std::map<int, CodePageTable> tables;
    std::lock_guard lock(mutex);
    auto [it, fresh] = tables.try_emplace(code_page);
    CodePageTable& table = it->second;
    if (!fresh) return table;
    for (int b = 0; b < 256; ++b) table.to_unicode[b] = b < 0x80 ? char32_t(b) : kNone;
    if (code_page != 0) {
        const std::string name = "CP" + std::to_string(code_page);
        iconv_t cd = iconv_open("UTF-32LE", name.c_str());
        if (cd == iconv_t(-1)) throw DbaseError("code page " + std::to_string(code_page) + " is not available");
        for (int b = 0x80; b < 256; ++b) {
            char in = char(b);
            unsigned char out[8] = {};
            char* inp = &in;
            char* outp = reinterpret_cast<char*>(out);
            size_t inleft = 1, outleft = sizeof out;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
            if (iconv(cd, &inp, &inleft, &outp, &outleft) != size_t(-1) && outleft == 4)
                table.to_unicode[b] = char32_t(out[0] | out[1] << 8 | out[2] << 16 | out[3] << 24);
        }
        iconv_close(cd);
    }
    for (int b = 0; b < 256; ++b)
        if (table.to_unicode[b] != kNone) table.from_unicode.emplace(table.to_unicode[b], static_cast<unsigned char>(b));
    return table;
}

// Next code point of UTF-8 text; kNone for a malformed sequence.
char32_t next_code_point(std::string_view text, size_t& pos) {
    const auto lead = static_cast<unsigned char>(text[pos++]);
    if (lead < 0x80) return lead;
    int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
    if (extra < 0 || pos + extra > text.size()) return kNone;
    char32_t cp = lead & (0x3F >> extra);
    for (int i = 0; i < extra; ++i) {
        const auto c = static_cast<unsigned char>(text[pos++]);
        if ((c & 0xC0) != 0x80) return kNone;
        cp = cp << 6 | (c & 0x3F);
    }
    return cp;
}

void append_utf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | cp >> 6);
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | cp >> 12);
        out += char(0x80 | (cp >> 6 & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | cp >> 18);
        out += char(0x80 | (cp >> 12 & 0x3F));
        out += char(0x80 | (cp >> 6 & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

}  // namespace

LanguageDriver::LanguageDriver(uint8_t id) : id_(id) {
    const DriverInfo info = driver_info(id);
    code_page_ = info.code_page;
    binary_order_ = info.binary_order;
    table_for(code_page_);  // fails early when the system lacks the code page
}

std::string LanguageDriver::encode(std::string_view utf8) const {
    const CodePageTable& table = table_for(code_page_);
    std::string out;
    out.reserve(utf8.size());
    for (size_t pos = 0; pos < utf8.size();) {
        const size_t start = pos;
        const char32_t cp = next_code_point(utf8, pos);
        const auto it = cp == kNone ? table.from_unicode.end() : table.from_unicode.find(cp);
        if (it == table.from_unicode.end()) {
            const std::string where = code_page_ ? "code page " + std::to_string(code_page_)
                                                 : c_format("language driver 0x%02X (ASCII only)", id_);
            throw DbaseError("character \"" + std::string(utf8.substr(start, pos - start)) + "\" in \"" +
                             std::string(utf8) + "\" cannot be stored in " + where);
        }
        out += char(it->second);
    }
    return out;
}

std::string LanguageDriver::decode(std::string_view bytes) const {
    const CodePageTable& table = table_for(code_page_);
    std::string out;
    out.reserve(bytes.size());
    for (const char c : bytes) {
        const char32_t cp = table.to_unicode[static_cast<unsigned char>(c)];
        append_utf8(out, cp == kNone ? char32_t(0xFFFD) : cp);
    }
    return out;
}

char LanguageDriver::upper(char byte) const {
    const auto b = static_cast<unsigned char>(byte);
    if (b < 0x80) return (b >= 'a' && b <= 'z') ? char(b - 32) : byte;
    static const locale_t utf8_locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr);
    const CodePageTable& table = table_for(code_page_);
    const char32_t cp = table.to_unicode[b];
    if (cp == kNone || !utf8_locale) return byte;
    const auto up = char32_t(towupper_l(wint_t(cp), utf8_locale));
    const auto it = table.from_unicode.find(up);
    return it == table.from_unicode.end() ? byte : char(it->second);
}

}  // namespace tripdesk::dbase
