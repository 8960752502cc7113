// The private-trip memory image EEPROM.BIN.
#include "fuzz/fuzz_support.h"
#include "private/eeprom.h"

using namespace tripdesk::private_trips;
using tripdesk::fuzz::expect;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const EepromImage image = parse_eeprom(tripdesk::fuzz::as_text(data, size));
    expect(image.size_bytes == size / 4 * 4, "the size counts whole words");
    expect(image.entries.size() <= (size > 4 ? (size - 4) / 12 : 0), "no more entries than the file holds");
    for (const Teep_zazn& e : image.entries) {
        expect(e.driver_key.size() == 6, "the driver key is three hex bytes");
    }
    const EepromImage from_file = read_eeprom(tripdesk::fuzz::scratch_file("EEPROM.BIN", tripdesk::fuzz::as_text(data, size)));
    expect(from_file.entries.size() == image.entries.size(), "the file reads as its bytes parse");
    return 0;
}
