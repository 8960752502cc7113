#include "export/mail_header.h"

#include <openssl/evp.h>

#include <algorithm>
#include <vector>

namespace tripdesk::mail {

std::string header_safe(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7f) continue;
        out += c;
    }
    return out;
}

namespace {

bool is_plain_ascii(std::string_view text) {
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u > 0x7e) return false;
    }
    // "=?" would be read as the start of an encoded word.
    return text.find("=?") == std::string_view::npos;
}

std::string base64(std::string_view bytes) {
    std::vector<unsigned char> out(4 * ((bytes.size() + 2) / 3) + 1);
    const int n = EVP_EncodeBlock(out.data(), reinterpret_cast<const unsigned char*>(bytes.data()),
                                  static_cast<int>(bytes.size()));
    return std::string(reinterpret_cast<const char*>(out.data()), static_cast<size_t>(n));
}

// Length of the UTF-8 sequence that starts with this byte (1 for stray bytes).
size_t sequence_length(unsigned char lead) {
    if (lead >= 0xf0 && lead < 0xf8) return 4;
    if (lead >= 0xe0) return lead < 0xf0 ? 3 : 1;
    if (lead >= 0xc0) return 2;
    return 1;
}

}  // namespace

std::string encode_header_text(std::string_view utf8) {
    if (is_plain_ascii(utf8)) return std::string(utf8);
    // "=?UTF-8?B?" + "?=" is 12 characters; 45 bytes give 60 base64 characters.
    constexpr size_t kMaxBytesPerWord = 45;
    std::string out;
    size_t pos = 0;
    while (pos < utf8.size()) {
        size_t end = pos;
        while (end < utf8.size()) {
            const size_t len =
                std::min(sequence_length(static_cast<unsigned char>(utf8[end])), utf8.size() - end);
            if (end + len - pos > kMaxBytesPerWord) break;
            end += len;
        }
        if (!out.empty()) out += "\r\n ";
        out += "=?UTF-8?B?" + base64(utf8.substr(pos, end - pos)) + "?=";
        pos = end;
    }
    return out;
}

}  // namespace tripdesk::mail
