#pragma once
// Which firmware suits which tracker: the image's pack comes from its file
// name, the device's pack from its hardware code.
#include <string>

namespace tripdesk::device {

struct FirmwareName {
    std::string label;  // four characters after the first "_FW"
    std::string pack;   // "PACK_" and the label's fourth character
};

// For a name without "_FW" the label is the name's characters 3 to 6.
FirmwareName firmware_name_info(const std::string& file_name);

// "PACK_A", "PACK_B" or "[NONE]" for the four-character hardware code.
std::string device_pack(const std::string& hardware_code);

// The packs are equal, or a "PACK_C" image on a PACK_A or PACK_B device; an
// unknown device never suits.
bool image_suits_device(const std::string& image_pack, const std::string& device_pack);

}  // namespace tripdesk::device
