#pragma once
// The simulated logger's memory: the raw database image it sends in a dump.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace logger_sim {

// Bytes a dump sends for a memory size in MiB: 8 MiB loggers send 8,192,000,
// every other size 3,997,696.
size_t dump_bytes_for(int mebibytes);

struct GeneratedRecords {
    size_t count = 0;
    size_t first = 0;           // record index of the oldest; later ones wrap at the end
    long long start_time = 0;   // UTC seconds of the oldest record
    int step_seconds = 1;
    int mark_every = 0;         // every n-th record carries the 0xFE mark (0: none)
    bool earlier_layout = false;
};

// Erased memory (all 0xFF) of the given dump size.
std::vector<uint8_t> erased_memory(size_t bytes);

// Writes generated records into memory: positions moving north-east from
// N 48 09.1234, E 017 06.0500, speed and altitude varying with the index.
void generate_records(std::vector<uint8_t>& memory, const GeneratedRecords& spec);

// Copies a raw image file over the start of memory; false when unreadable.
bool load_image(std::vector<uint8_t>& memory, const std::string& path);

}  // namespace logger_sim
