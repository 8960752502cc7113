#include "devlib/firmware_file.h"

#include <cstring>
#include <vector>

namespace testing_support {

namespace {

constexpr size_t kWords = 0xFFF0 / 2;
constexpr size_t kSignatureWord = 0xFFC8 / 2;
const char kSignature[] = "Telvarimoxan Is Super Man ^-^";  // 30 bytes with the zero

}  // namespace

FirmwareFile make_firmware(uint8_t version_byte) {
    uint8_t signature[30];
    std::memcpy(signature, kSignature, 30);
    for (uint32_t seed = 0x1000;; ++seed) {
        // Plain words chosen freely, except where the stored file must show
        // the signature: there the plain word is what makes it so.
        std::vector<uint16_t> plain(kWords), once(kWords), stored(kWords);
        uint32_t x = seed * 2654435761u;
        uint16_t before_once = static_cast<uint16_t>(seed);
        uint16_t before_stored = static_cast<uint16_t>(seed);
        const uint16_t checksum = static_cast<uint16_t>(seed);
        before_once = before_stored = checksum;
        for (size_t i = 0; i < kWords; ++i) {
            x = x * 1103515245u + 12345u;
            uint16_t p = static_cast<uint16_t>(x >> 8);
            if (i == 0xFF80 / 2) p = static_cast<uint16_t>((p & 0x00FF) | version_byte << 8);
            if (i >= kSignatureWord && i < kSignatureWord + 15) {
                const uint16_t want = static_cast<uint16_t>(signature[2 * (i - kSignatureWord)] |
                                                            signature[2 * (i - kSignatureWord) + 1] << 8);
                p = static_cast<uint16_t>(want ^ before_stored ^ before_once);
            }
            plain[i] = p;
            once[i] = p ^ before_once;
            before_once = once[i];
            stored[i] = once[i] ^ before_stored;
            before_stored = stored[i];
        }
        // The last word makes the byte sum match the checksum word; it only
        // changes the last stored word.
        uint16_t sum = 0;
        for (size_t i = 0; i + 1 < kWords; ++i) sum = static_cast<uint16_t>(sum + (plain[i] & 0xFF) + (plain[i] >> 8));
        const uint16_t need = static_cast<uint16_t>(checksum - sum);
        if (need > 510) continue;
        const uint16_t lo = need > 255 ? 255 : need;
        const uint16_t last = static_cast<uint16_t>(lo | (need - lo) << 8);
        const size_t l = kWords - 1;
        const uint16_t once_before = once[l - 1], stored_before = stored[l - 1];
        plain[l] = last;
        once[l] = last ^ once_before;
        stored[l] = once[l] ^ stored_before;

        FirmwareFile f;
        f.file.assign(65536, '\0');
        f.plain.assign(65536, '\0');
        for (size_t i = 0; i < kWords; ++i) {
            f.file[2 * i] = static_cast<char>(stored[i] & 0xFF);
            f.file[2 * i + 1] = static_cast<char>(stored[i] >> 8);
            f.plain[2 * i] = static_cast<char>(plain[i] & 0xFF);
            f.plain[2 * i + 1] = static_cast<char>(plain[i] >> 8);
        }
        f.file[0xFFF0] = static_cast<char>(checksum & 0xFF);
        f.file[0xFFF1] = static_cast<char>(checksum >> 8);
        for (size_t i = 0xFFF2; i < 65536; ++i) f.file[i] = '\x5A';
        return f;
    }
}

}  // namespace testing_support
