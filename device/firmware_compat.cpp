#include "device/firmware_compat.h"

#include <array>

#include "device/identification.h"

namespace tripdesk::device {

FirmwareName firmware_name_info(const std::string& file_name) {
    const size_t marker = file_name.find("_FW");
    const size_t start = marker == std::string::npos ? 2 : marker + 3;
    FirmwareName name;
    if (start < file_name.size()) name.label = file_name.substr(start, 4);
    name.pack = "PACK_";
    if (name.label.size() == 4) name.pack += name.label[3];
    return name;
}

std::string device_pack(const std::string& hardware_code) {
    static const std::array<const char*, 5> pack_a{"HC00", "HC10", "HD00", "HE00", "HE10"};
    static const std::array<const char*, 2> pack_b{"HG00", "HG10"};
    for (const char* code : pack_a)
        if (hardware_code == code) return "PACK_A";
    for (const char* code : pack_b)
        if (hardware_code == code) return "PACK_B";
    return kNoValue;
}

bool image_suits_device(const std::string& image_pack, const std::string& device_pack) {
    if (device_pack == kNoValue) return false;
    if (image_pack == device_pack) return true;
    return image_pack == "PACK_C" && (device_pack == "PACK_A" || device_pack == "PACK_B");
}

}  // namespace tripdesk::device
