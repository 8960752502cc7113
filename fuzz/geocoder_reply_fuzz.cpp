// The geocoder's reply: the address taken from any body.
#include "export/geocoder.h"
#include "fuzz/fuzz_support.h"

using tripdesk::fuzz::expect;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view body = tripdesk::fuzz::as_text(data, size);
    const std::string address = tripdesk::geo::address_from_reply(body);
    if (body.find("<formatted_address>") == std::string_view::npos) {
        expect(address.find_first_of("\r\n\"") == std::string::npos,
               "a body without an address comes back on one line without double quotes");
    }
    return 0;
}
