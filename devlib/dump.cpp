#include "devlib/dump.h"

#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "devlib/dump_text.h"
#include "devlib/file_copy.h"
#include "devlib/folder_preparation.h"
#include "devlib/link.h"
#include "devlib/state.h"

namespace dlr {

namespace {

constexpr char kRawFile[] = "DB.sr";
constexpr char kSortedFile[] = "SortDB.sr";
constexpr char kLinesFile[] = "Output_tmp.dat";
constexpr size_t kBlock = 64;
constexpr size_t kChunk = 1 << 16;

bool is_empty_record(const uint8_t* record) { return read_le32(record) == 0xFFFFFFFFu; }

// Stage 1: the raw database as received, block by block.
int32_t receive_database() {
    LibraryState& s = state();
    std::FILE* raw = std::fopen(kRawFile, "wb");
    if (!raw) return 6;
    if (!send_command(0x60, 0xB5)) {
        std::fclose(raw);
        return 12;
    }
    size_t image_pos = 0;
    for (uint32_t offset = 0; offset < s.dump_bytes; offset += kBlock) {
        std::memset(s.transfer, 0, kBlock);
        if (read_answer(kBlock) == 0) {
            if (kEarlierBuild) continue;  // the earlier build skips an empty block
            std::fclose(raw);
            return 12;
        }
        // A short block is completed with the zero bytes of the cleared buffer.
        std::fwrite(s.transfer, 1, kBlock, raw);
        std::memcpy(s.dump_image + image_pos, s.transfer, kBlock);
        image_pos += kBlock;
    }
    const bool ended = wait_end_marker();
    const bool written = std::fclose(raw) == 0;
    if (!ended) return 12;
    return written ? 0 : 6;
}

// Reads a stage file back into the dump image and the record table. A file
// shorter than the geometry leaves erased records, never an earlier dump's.
int32_t load_records(const char* name, int32_t open_failure) {
    LibraryState& s = state();
    size_t size = 0;
    if (read_file_into(name, s.dump_image, s.dump_bytes, &size) != ReadResult::Ok) return open_failure;
    if (size < s.dump_bytes) std::memset(s.dump_image + size, 0xFF, s.dump_bytes - size);
    std::memcpy(s.record_table, s.dump_image, static_cast<size_t>(s.dump_records) * kRecordSize);
    return 0;
}

// Stage 2: the ring rotated so that the oldest record comes first.
int32_t order_records() {
    LibraryState& s = state();
    if (const int32_t r = load_records(kRawFile, 9)) return r;
    const uint32_t n = s.dump_records;
    uint32_t first_empty = n;
    for (uint32_t i = 0; i < n; ++i) {
        if (is_empty_record(s.record_table[i])) {
            first_empty = i;
            break;
        }
    }
    uint32_t first_used = n;
    for (uint32_t i = first_empty + 1; i < n; ++i) {
        if (!is_empty_record(s.record_table[i])) {
            first_used = i;
            break;
        }
    }
    std::FILE* sorted = std::fopen(kSortedFile, "wb");
    if (!sorted) return 7;
    const uint32_t start = (first_empty < n && first_used < n) ? first_used : 0;
    std::fwrite(s.record_table[start], kRecordSize, n - start, sorted);
    std::fwrite(s.record_table[0], kRecordSize, start, sorted);
    const bool written = std::fclose(sorted) == 0;
    if (!written) return 7;
    std::remove(kRawFile);
    return 0;
}

// Stage 3: the lines of every record up to the first erased one.
int32_t convert_records() {
    LibraryState& s = state();
    if (const int32_t r = load_records(kSortedFile, 10)) return r;
    std::FILE* lines = std::fopen(kLinesFile, "wb");
    if (!lines) return 8;
    char chunk[kChunk];
    char* out = chunk;
    for (uint32_t i = 0; i < s.dump_records; ++i) {
        const uint8_t* record = s.record_table[i];
        if (is_empty_record(record)) break;
        out = kEarlierBuild ? format_earlier_record(record, out) : format_record(record, out);
        if (out > chunk + kChunk - kMaxRecordText) {
            std::fwrite(chunk, 1, static_cast<size_t>(out - chunk), lines);
            out = chunk;
        }
    }
    std::fwrite(chunk, 1, static_cast<size_t>(out - chunk), lines);
    return std::fclose(lines) == 0 ? 0 : 8;
}

// Stage 4: header lines and the lines with their checksums. The text goes to
// a temporary file renamed over the destination once complete, so a failure
// never leaves a cut dump under the caller's name.
int32_t write_destination(const char* destination) {
    std::FILE* lines = std::fopen(kLinesFile, "rb");
    if (!lines) return 11;
    char temp_name[kPathCapacity + 16];
    std::snprintf(temp_name, sizeof temp_name, "%s.XXXXXX", destination);
    const int fd = ::mkstemp(temp_name);
    std::FILE* out = fd >= 0 ? ::fdopen(fd, "wb") : nullptr;
    if (!out) {
        if (fd >= 0) {
            ::close(fd);
            std::remove(temp_name);
        }
        std::fclose(lines);
        return 8;
    }
    if (kEarlierBuild) {
        std::fwrite(kEarlierHeader.data(), 1, kEarlierHeader.size(), out);
    } else {
        std::fwrite(kGgaHeader.data(), 1, kGgaHeader.size(), out);
        std::fwrite(kRmcHeader.data(), 1, kRmcHeader.size(), out);
    }
    ChecksumFiller filler;
    char chunk[kChunk];
    size_t got = 0;
    bool read_failed = false;
    while ((got = std::fread(chunk, 1, sizeof chunk, lines)) > 0) {
        filler.run(chunk, got, chunk);
        std::fwrite(chunk, 1, got, out);
    }
    read_failed = std::ferror(lines) != 0;
    std::fclose(lines);
    // No sync: the dump text is a working copy of what the logger still holds,
    // and the rename alone keeps a cut file from standing under its name.
    const bool written = std::fflush(out) == 0 && std::fclose(out) == 0;
    if (read_failed || !written || std::rename(temp_name, destination) != 0) {
        std::remove(temp_name);
        return read_failed ? 11 : 8;
    }
    return 0;
}

}  // namespace

int32_t convert_raw_dump(const char* destination) {
    if (const int32_t r = order_records()) return r;
    if (const int32_t r = convert_records()) return r;
    if (const int32_t r = write_destination(destination)) return r;
    std::remove(kSortedFile);
    std::remove(kLinesFile);
    return 2;
}

int32_t dump_database(const char* path) {
    LibraryState& s = state();
    if (!s.dump_mode) return 26;
    if (!prepare_folder(path, FolderMode::File)) return 6;
    if (const int32_t r = receive_database()) return r;
    const int32_t r = convert_raw_dump(s.file_part);
    if (r == 2) restore_saved_folder();
    return r;
}

}  // namespace dlr
