#pragma once
// The one error type for input/output failures: it carries the system's
// message and travels up to the handler that started the operation.
#include <stdexcept>
#include <string>

namespace tripdesk {

class IoError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Throws IoError with "what: strerror(errno)" for the current errno.
[[noreturn]] void throw_errno(const std::string& what);

}  // namespace tripdesk
