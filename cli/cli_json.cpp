#include "cli/cli_json.h"

#include <cstdio>

namespace tripdesk::cli {

std::string json_string(std::string_view text) {
    std::string out = "\"";
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (c < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                    out += escaped;
                } else {
                    out += ch;
                }
        }
    }
    out += '"';
    return out;
}

std::string json_string_array(const std::vector<std::string>& texts) {
    std::string out = "[";
    for (size_t i = 0; i < texts.size(); ++i) {
        if (i > 0) out += ',';
        out += json_string(texts[i]);
    }
    return out + "]";
}

}  // namespace tripdesk::cli
