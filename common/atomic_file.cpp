#include "common/atomic_file.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "common/io_error.h"

namespace tripdesk {

AtomicFile::AtomicFile(std::string path, int mode) : path_(std::move(path)) {
    temp_path_ = path_ + ".tmpXXXXXX";
    const int fd = ::mkstemp(temp_path_.data());
    if (fd < 0) throw_errno(path_);
    ::fchmod(fd, static_cast<mode_t>(mode));
    file_ = ::fdopen(fd, "wb");
    if (!file_) {
        ::close(fd);
        ::unlink(temp_path_.c_str());
        throw_errno(path_);
    }
    std::setvbuf(file_, nullptr, _IOFBF, 1 << 16);
}

AtomicFile::~AtomicFile() {
    if (file_) std::fclose(file_);
    if (!committed_) ::unlink(temp_path_.c_str());
}

void AtomicFile::write(std::string_view bytes) {
    if (bytes.empty()) return;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) throw_errno(path_);
}

void AtomicFile::commit() {
    if (std::fflush(file_) != 0) throw_errno(path_);
    if (::fsync(::fileno(file_)) != 0 && errno != EINVAL) throw_errno(path_);
    const int rc = std::fclose(file_);
    file_ = nullptr;
    if (rc != 0) throw_errno(path_);
    if (::rename(temp_path_.c_str(), path_.c_str()) != 0) throw_errno(path_);
    committed_ = true;
}

void write_file_atomically(const std::string& path, std::string_view content, int mode) {
    AtomicFile out(path, mode);
    out.write(content);
    out.commit();
}

std::string read_whole_file(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw_errno(path);
    std::string data;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && st.st_size > 0) data.reserve(static_cast<size_t>(st.st_size));
    char buf[1 << 16];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) continue;
            const int err = errno;
            ::close(fd);
            errno = err;
            throw_errno(path);
        }
        if (n == 0) break;
        data.append(buf, static_cast<size_t>(n));
    }
    ::close(fd);
    return data;
}

}  // namespace tripdesk
