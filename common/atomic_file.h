#pragma once
// Outputs are written to a temporary file beside the target and renamed over
// it once complete, so a failed write never replaces a good file with a half.
#include <cstdio>
#include <string>
#include <string_view>

namespace tripdesk {

class AtomicFile {
public:
    // Creates "<path>.tmpXXXXXX" in the target's folder; throws IoError.
    explicit AtomicFile(std::string path, int mode = 0644);
    ~AtomicFile();  // removes the temporary file unless commit() succeeded
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Buffered stream on the temporary file.
    std::FILE* stream() { return file_; }
    void write(std::string_view bytes);
    // Flushes, syncs and renames over the target; throws IoError.
    void commit();
    const std::string& path() const { return path_; }

private:
    std::string path_;
    std::string temp_path_;
    std::FILE* file_ = nullptr;
    bool committed_ = false;
};

// Writes the whole content atomically; throws IoError.
void write_file_atomically(const std::string& path, std::string_view content, int mode = 0644);

// Reads a whole file into memory; throws IoError.
std::string read_whole_file(const std::string& path);

}  // namespace tripdesk
