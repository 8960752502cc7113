#include "devlib/file_copy.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dlr {

ReadResult read_file_into(const char* name, uint8_t* dest, size_t capacity, size_t* size) {
    const int fd = ::open(name, O_RDONLY | O_CLOEXEC);
    if (fd < 0) return ReadResult::CannotOpen;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return ReadResult::CannotOpen;
    }
    *size = static_cast<size_t>(st.st_size);
    const size_t want = *size < capacity ? *size : capacity;
    size_t done = 0;
    while (done < want) {
        const ssize_t r = ::read(fd, dest + done, want - done);
        if (r <= 0) break;
        done += static_cast<size_t>(r);
    }
    ::close(fd);
    *size = done < want ? done : *size;
    return ReadResult::Ok;
}

long long file_length(const char* name) {
    struct stat st {};
    if (::stat(name, &st) != 0 || !S_ISREG(st.st_mode)) return -1;
    return static_cast<long long>(st.st_size);
}

}  // namespace dlr
