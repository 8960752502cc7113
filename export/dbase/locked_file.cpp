#include "export/dbase/locked_file.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "common/io_error.h"
#include "export/dbase/dbase_error.h"

namespace tripdesk::dbase {

LockedFile::LockedFile(std::string path) : path_(std::move(path)) {
    fd_ = ::open(path_.c_str(), O_RDWR | O_CLOEXEC);
    if (fd_ < 0) throw_errno(path_);
    struct flock record_lock {};
    record_lock.l_type = F_WRLCK;
    record_lock.l_whence = SEEK_SET;
    const bool locked = ::flock(fd_, LOCK_EX | LOCK_NB) == 0 && ::fcntl(fd_, F_OFD_SETLK, &record_lock) == 0;
    if (!locked) {
        const int err = errno;
        ::close(fd_);
        fd_ = -1;
        if (err == EWOULDBLOCK || err == EAGAIN || err == EACCES)
            throw DbaseError(path_ + " is locked by another program; close it there and try again");
        errno = err;
        throw_errno(path_);
    }
}

LockedFile::~LockedFile() {
    if (fd_ >= 0) ::close(fd_);
}

std::string LockedFile::read_all() const {
    std::string data;
    char buf[1 << 16];
    for (off_t at = 0;;) {
        const ssize_t n = ::pread(fd_, buf, sizeof buf, at);
        if (n < 0) {
            if (errno == EINTR) continue;
            throw_errno(path_);
        }
        if (n == 0) return data;
        data.append(buf, size_t(n));
        at += n;
    }
}

int LockedFile::mode() const {
    struct stat st {};
    if (::fstat(fd_, &st) != 0) throw_errno(path_);
    return int(st.st_mode & 07777);
}

}  // namespace tripdesk::dbase
