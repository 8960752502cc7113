#pragma once
// Helpers shared by the fuzz targets: the input as text, a scratch folder for
// parsers that read files, and a check that stops the run with a message
// when a parser breaks one of its own promises (libFuzzer saves the input).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace tripdesk::fuzz {

inline std::string_view as_text(const uint8_t* data, size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// Stops the run when `ok` is false; the fuzzer reports the input that did it.
inline void expect(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "fuzz check failed: %s\n", what);
        std::abort();
    }
}

// The text without its carriage returns: files written back may make mixed
// line ends uniform, which does not change what they hold.
inline std::string without_cr(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (c != '\r') out.push_back(c);
    }
    return out;
}

// A folder of this process for parsers that take a path (in /dev/shm when
// there is one, so file work stays in memory); removed at exit.
const std::string& scratch_folder();

// Writes bytes to a file of the scratch folder and returns its path.
std::string scratch_file(const std::string& name, std::string_view bytes);

// Removes every entry of a folder (not the folder itself).
void empty_folder(const std::string& folder);

// Takes bytes off the front of the input: a small cursor for targets that
// need a few choices before the data proper.
class InputCursor {
public:
    InputCursor(const uint8_t* data, size_t size) : rest_(as_text(data, size)) {}
    uint8_t byte() {
        if (rest_.empty()) return 0;
        const uint8_t b = static_cast<uint8_t>(rest_.front());
        rest_.remove_prefix(1);
        return b;
    }
    uint32_t u32() {
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v |= uint32_t(byte()) << (8 * i);
        return v;
    }
    // Text up to the next NUL byte (or the end); the NUL is taken too.
    std::string_view part() {
        const size_t n = rest_.find('\0');
        const std::string_view p = rest_.substr(0, n);
        rest_.remove_prefix(n == std::string_view::npos ? rest_.size() : n + 1);
        return p;
    }
    std::string_view rest() const { return rest_; }

private:
    std::string_view rest_;
};

}  // namespace tripdesk::fuzz
