#include "common/io_error.h"

#include <cerrno>
#include <cstring>

namespace tripdesk {

void throw_errno(const std::string& what) {
    const int err = errno;
    throw IoError(what + ": " + std::strerror(err));
}

}  // namespace tripdesk
