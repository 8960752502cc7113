#pragma once
// A firmware image for the tracker's bootloader: the raw bytes of an image
// file, sent in pages of 128 bytes numbered from 1 by one byte.
#include <cstddef>
#include <string>

#include "common/progress.h"
#include "device/status_log.h"

namespace tripdesk::device {

inline constexpr int kPageSize = 128;
inline constexpr int kMaxPages = 255;  // the page number travels as one byte
inline constexpr size_t kMaxImageSize = static_cast<size_t>(kMaxPages) * kPageSize;
inline constexpr size_t kSmallestInvalidSize = 1024;  // an image must be larger

class FirmwareImage {
public:
    bool loaded() const { return !bytes_.empty(); }
    size_t size() const { return bytes_.size(); }
    const std::string& bytes() const { return bytes_; }
    // Image size divided by 128, rounded up.
    int page_count() const { return static_cast<int>((bytes_.size() + kPageSize - 1) / kPageSize); }
    // Page p (from 1): 128 bytes, the part beyond the image's end as 0xFF.
    std::string page(int p) const;
    void forget() { bytes_.clear(); }
    void assign(std::string bytes) { bytes_ = std::move(bytes); }

private:
    std::string bytes_;
};

// Loads an image file into image, reporting as the firmware window does:
// " - invalid firmware binary !!!" for 1024 bytes or less, a refusal for
// more than 255 pages, else " - buffering binary image ..." with progress at
// every tenth, "OK" and " - %d pages succesfully loaded ...". Returns whether
// an image is loaded; image is empty otherwise. A file that cannot be read
// throws IoError.
bool load_firmware_image(const std::string& path, FirmwareImage& image, StatusLog& log, Progress& progress);

}  // namespace tripdesk::device
