#pragma once
// "_image.inf", the information file of a card image (a folder holding copies
// of a card's day files): five text lines, the five volume labels the card had
// when the image was saved (label, free space, total space, serial number,
// file system). The logger import writes one for the images it creates.
//
// Lines end with CR LF when written here; CR LF, LF or CR are read. Missing
// lines read as empty texts. Text that is not UTF-8 (written by the Windows
// program) is read as Windows-1250.
#include <optional>
#include <string>
#include <string_view>

#include "app/volume_labels.h"

namespace tripdesk::app {

inline constexpr const char* kImageInfoFileName = "_image.inf";

// Parses the content of an information file.
VolumeLabels parse_image_info(std::string_view bytes);

// The content written for a set of labels.
std::string format_image_info(const VolumeLabels& labels);

struct VirtInfo {
    bool exists = false;                 // the image folder exists
    std::optional<VolumeLabels> labels;  // from "_image.inf" when the folder holds one
};

// Reads a card image's volume labels. The file name is matched without
// regard to letter case. Throws IoError when the file exists but cannot be read.
VirtInfo ReadVirtInfo(const std::string& image_folder);

// Writes "_image.inf" into an existing folder, atomically; throws IoError
// (also when the folder does not exist).
void write_image_info(const std::string& image_folder, const VolumeLabels& labels);

}  // namespace tripdesk::app
