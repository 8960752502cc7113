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

int code_page_of(uint8_t id) {
    switch (id) {
        case 0x1B: return 437;   // dBASE ENU cp437
        case 0x03:               // Windows ANSI code page mark
        case 0x57:               // ANSI 'ascii'
        case 0x58:               // ANSI Western Europe
        case 0x59: return 1252;  // ANSI Spanish
        case 0x1F:               // dBASE CSY cp852
        case 0x87:               // dBASE SLO cp852
        case 0x22:               // dBASE HUN cp852
        case 0x23:               // dBASE PLK cp852
        case 0x64: return 852;   // Eastern European MS-DOS mark
        case 0x20: return 867;   // dBASE CSY cp867 (Kamenicky)
        case 0xC8: return 1250;  // Windows Eastern European mark
        default: return 0;       // 0x00 and unknown drivers: ASCII only
    }
}

constexpr char32_t kNone = 0xFFFFFFFF;

// Byte -> Unicode table of one code page, built once (through iconv for the
// code pages the C library knows).
struct CodePageTable {
    std::array<char32_t, 256> to_unicode{};
    std::map<char32_t, unsigned char> from_unicode;
};

const CodePageTable& table_for(int code_page) {
    // Recursive: one code page is built on another. A table is stored only
    // when complete, so a code page that failed is tried again next time.
    static std::recursive_mutex mutex;
    static std::map<int, CodePageTable> tables;
    std::lock_guard lock(mutex);
    if (const auto it = tables.find(code_page); it != tables.end()) return it->second;
    CodePageTable table;
    for (int b = 0; b < 256; ++b) table.to_unicode[b] = b < 0x80 ? char32_t(b) : kNone;
    if (code_page == 867) {
        // Kamenicky: Czech and Slovak letters in 0x80-0xAF, the rest as cp437.
        // The C library has no converter for it.
        static constexpr char32_t kKamenicky[48] = {
            0x010C, 0x00FC, 0x00E9, 0x010F, 0x00E4, 0x010E, 0x0164, 0x010D,  // Č ü é ď ä Ď Ť č
            0x011B, 0x011A, 0x0139, 0x00CD, 0x013E, 0x013A, 0x00C4, 0x00C1,  // ě Ě Ĺ Í ľ ĺ Ä Á
            0x00C9, 0x017E, 0x017D, 0x00F4, 0x00F6, 0x00D3, 0x016F, 0x00DA,  // É ž Ž ô ö Ó ů Ú
            0x00FD, 0x00D6, 0x00DC, 0x0160, 0x013D, 0x00DD, 0x0158, 0x0165,  // ý Ö Ü Š Ľ Ý Ř ť
            0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x0148, 0x0147, 0x016E, 0x00D4,  // á í ó ú ň Ň Ů Ô
            0x0161, 0x0159, 0x0155, 0x0154, 0x00BC, 0x00A7, 0x00AB, 0x00BB,  // š ř ŕ Ŕ ¼ § « »
        };
        table.to_unicode = table_for(437).to_unicode;
        for (int b = 0x80; b < 0xB0; ++b) table.to_unicode[b] = kKamenicky[b - 0x80];
    } else if (code_page != 0) {
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
    return tables.emplace(code_page, std::move(table)).first->second;
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
    code_page_ = code_page_of(id);
    collation_ = Collation::for_driver(id);
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
