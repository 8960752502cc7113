#include "track/vehicle_list.h"

#include <cstdint>

namespace tripdesk::track {

std::string latin_upper(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 'a' && c <= 'z') {
            out.push_back(static_cast<char>(c - 'a' + 'A'));
            continue;
        }
        // Two-byte sequences cover U+0080..U+07FF.
        if ((c & 0xE0) == 0xC0 && i + 1 < text.size() && (static_cast<unsigned char>(text[i + 1]) & 0xC0) == 0x80) {
            uint32_t cp = ((c & 0x1Fu) << 6) | (static_cast<unsigned char>(text[i + 1]) & 0x3Fu);
            if (cp >= 0xE0 && cp <= 0xFE && cp != 0xF7) {
                cp -= 0x20;  // à..þ except ÷
            } else if (cp >= 0x100 && cp <= 0x17F) {
                // Latin Extended-A pairs capital/small as even/odd, except the
                // run Ĺ..Ň and Ź..Ž which pair odd/even.
                const bool odd_even = (cp >= 0x139 && cp <= 0x148) || (cp >= 0x179 && cp <= 0x17E);
                if (odd_even ? (cp % 2 == 0) : (cp % 2 == 1 && cp != 0x131 && cp != 0x138 && cp != 0x149 && cp != 0x17F))
                    cp -= 1;
            }
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
            ++i;
            continue;
        }
        out.push_back(static_cast<char>(c));
    }
    return out;
}

std::vector<Vehicle> read_vehicle_list(const SectionEntries& car_list) {
    std::vector<Vehicle> vehicles;
    if (car_list.empty()) {
        vehicles.push_back({"??????????", "DL-R4470", "Žiadne vozidlo !!!"});
        return vehicles;
    }
    vehicles.reserve(car_list.size());
    for (size_t n = 0; n < car_list.size(); ++n) {
        const SectionEntry& e = car_list[n];
        const std::string value = e.value ? *e.value : "?\?-?????,Vozidlo " + std::to_string(n);
        const size_t comma = value.find(',');
        Vehicle v;
        v.key = e.key;
        if (comma == std::string::npos) {
            v.description = value;
        } else {
            v.registration = latin_upper(value.substr(0, comma));
            v.description = value.substr(comma + 1);
        }
        vehicles.push_back(std::move(v));
    }
    return vehicles;
}

}  // namespace tripdesk::track
