#include "device/status_log.h"

namespace tripdesk::device {

void LineLog::add_line(const std::string& text) {
    lines_.push_back(text);
    after_cr_ = false;
}

void LineLog::append(const std::string& text) {
    after_cr_ = false;
    if (lines_.empty()) lines_.emplace_back();
    lines_.back() += " " + text;
}

void LineLog::append_raw(const std::string& text) {
    if (lines_.empty()) lines_.emplace_back();
    for (const char c : text) {
        const bool second_half_of_crlf = c == '\n' && after_cr_;
        after_cr_ = c == '\r';
        if (second_half_of_crlf) continue;
        if (c == '\n' || c == '\r') {
            lines_.emplace_back();
        } else {
            lines_.back() += c;
        }
    }
}

std::string LineLog::text() const {
    std::string out;
    for (const auto& line : lines_) out += line + "\n";
    return out;
}

}  // namespace tripdesk::device
