#pragma once
// Reading a whole file of the current folder straight into a buffer of the
// library state (no copy is allocated).
#include <cstddef>
#include <cstdint>

namespace dlr {

enum class ReadResult { Ok, CannotOpen };

// Reads up to capacity bytes of the file; size gets the file's full length.
ReadResult read_file_into(const char* name, uint8_t* dest, size_t capacity, size_t* size);

// Length of a file, or -1 when it cannot be opened.
long long file_length(const char* name);

}  // namespace dlr
