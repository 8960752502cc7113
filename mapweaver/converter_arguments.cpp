#include "mapweaver/converter_arguments.h"

#include <charconv>
#include <stdexcept>

namespace tripdesk::mapweaver {

namespace {

int parse_int(const std::string& text, const char* what, int min, int max) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || text.empty() || value < min || value > max) {
        throw std::invalid_argument(std::string(what) + " must be a whole number from " + std::to_string(min) +
                                    " to " + std::to_string(max) + ", not \"" + text + "\"");
    }
    return value;
}

}  // namespace

std::optional<int> parse_window_bound(const std::string& text) {
    if (text == kOpenBound) return std::nullopt;
    int parts[3] = {0, 0, 0};
    int count = 0;
    size_t pos = 0;
    while (count < 3) {
        const size_t colon = text.find(':', pos);
        const std::string part = text.substr(pos, colon == std::string::npos ? std::string::npos : colon - pos);
        if (part.empty() || part.size() > 2 || part.find_first_not_of("0123456789") != std::string::npos) break;
        parts[count++] = std::stoi(part);
        if (colon == std::string::npos) {
            pos = text.size();
            break;
        }
        pos = colon + 1;
    }
    const int seconds = parts[0] * 3600 + parts[1] * 60 + parts[2];
    if (count < 2 || pos != text.size() || parts[1] > 59 || parts[2] > 59 || seconds > 24 * 3600) {
        throw std::invalid_argument("time window bound must be hh:mm:ss or ??:??:??, not \"" + text + "\"");
    }
    return seconds;
}

bool has_map_key(const std::string& key) {
    const size_t first = key.find_first_not_of(" \t");
    return first != std::string::npos && key != "???";
}

ConverterArguments parse_converter_arguments(const std::vector<std::string>& args) {
    if (args.size() != 9 && args.size() != 10) {
        throw std::invalid_argument("expected 9 or 10 arguments, got " + std::to_string(args.size()));
    }
    ConverterArguments a;
    a.day_file = args[0];
    a.vehicle_label = args[1];
    a.page_path = args[2];
    if (a.day_file.empty()) throw std::invalid_argument("the day file argument is empty");
    if (a.page_path.empty()) throw std::invalid_argument("the page argument is empty");
    a.resolution_units = parse_int(args[3], "resolution", 0, 100000000);
    a.min_stop_s = parse_int(args[4], "minimum stop", 0, 86400);
    a.time_off_half_hours = parse_int(args[5], "time offset", -48, 48);
    a.window_start_s = parse_window_bound(args[6]);
    a.window_end_s = parse_window_bound(args[7]);
    a.map_key = args[8];
    if (args.size() == 10) {
        if (args[9] != "20BYTE") throw std::invalid_argument("the tenth argument can only be 20BYTE");
        a.force20byte = true;
    }
    return a;
}

}  // namespace tripdesk::mapweaver
