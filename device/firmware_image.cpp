#include "device/firmware_image.h"

#include "common/atomic_file.h"
#include "common/c_format.h"

namespace tripdesk::device {

std::string FirmwareImage::page(int p) const {
    std::string out(kPageSize, '\xFF');
    const size_t start = static_cast<size_t>(p - 1) * kPageSize;
    if (p >= 1 && start < bytes_.size()) {
        const size_t n = std::min<size_t>(kPageSize, bytes_.size() - start);
        out.replace(0, n, bytes_, start, n);
    }
    return out;
}

bool load_firmware_image(const std::string& path, FirmwareImage& image, StatusLog& log, Progress& progress) {
    image.forget();
    std::string content = read_whole_file(path);
    const size_t size = content.size();
    bool loaded = false;
    if (size <= kSmallestInvalidSize) {
        log.add_line(" - invalid firmware binary !!!");
    } else if (size > kMaxImageSize) {
        log.add_line(c_format(" - firmware binary too large (%zu bytes, at most %d pages of %d bytes) !!!", size,
                              kMaxPages, kPageSize));
    } else {
        progress.maximum(static_cast<int>(size));
        log.add_line(" - buffering binary image ...");
        const size_t tenth = size / 10;
        for (size_t i = 0; i < size; i += tenth) {
            progress.position(static_cast<int>(i));
            progress.pump();
            progress.pause(10);
        }
        image.assign(std::move(content));
        log.append("OK");
        log.add_line(c_format(" - %d pages succesfully loaded ...", image.page_count()));
        loaded = true;
    }
    progress.position(0);
    return loaded;
}

}  // namespace tripdesk::device
