// "_image.inf", the card image's information file.
#include "app/image_info.h"
#include "fuzz/fuzz_support.h"
#include "track/cp1250.h"

using namespace tripdesk::app;
using tripdesk::fuzz::expect;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes = tripdesk::fuzz::as_text(data, size);
    const VolumeLabels labels = parse_image_info(bytes);
    for (const std::string* line : {&labels.label, &labels.free_space, &labels.total_space, &labels.serial,
                                    &labels.file_system}) {
        expect(tripdesk::track::is_utf8(*line), "labels come out as UTF-8");
        expect(line->find_first_of("\r\n") == std::string::npos, "a label is one line");
    }
    expect(parse_image_info(format_image_info(labels)) == labels, "labels written read back the same");

    // Through the folder reader, the way a card image is opened.
    const std::string folder = tripdesk::fuzz::scratch_folder();
    tripdesk::fuzz::scratch_file(kImageInfoFileName, bytes);
    const VirtInfo info = ReadVirtInfo(folder);
    expect(info.exists && info.labels && *info.labels == labels, "the file reads as its bytes parse");
    return 0;
}
