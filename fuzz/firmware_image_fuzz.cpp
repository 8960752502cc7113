// The tracker's firmware image file: any file is refused with a message or
// loads into pages of 128 bytes that together are the file.
#include "common/progress.h"
#include "device/firmware_image.h"
#include "fuzz/fuzz_support.h"

using namespace tripdesk::device;
using tripdesk::fuzz::expect;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes = tripdesk::fuzz::as_text(data, size);
    const std::string path = tripdesk::fuzz::scratch_file("FW_HC00.bin", bytes);
    FirmwareImage image;
    LineLog log;
    tripdesk::NoProgress progress;
    const bool loaded = load_firmware_image(path, image, log, progress);
    expect(!log.lines().empty(), "loading always says what happened");
    expect(loaded == (size > kSmallestInvalidSize && size <= kMaxImageSize), "only images of a valid size load");
    if (!loaded) {
        expect(!image.loaded(), "a refused image leaves nothing loaded");
        return 0;
    }
    std::string joined;
    for (int p = 1; p <= image.page_count(); ++p) {
        const std::string page = image.page(p);
        expect(page.size() == kPageSize, "a page has 128 bytes");
        joined += page;
    }
    expect(joined.compare(0, size, bytes) == 0, "the pages are the file");
    expect(joined.find_first_not_of('\xFF', size) == std::string::npos, "the last page is filled with 0xFF");
    return 0;
}
