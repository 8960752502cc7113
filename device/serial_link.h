#pragma once
// The serial link the tracker tools talk through: one port at a time, fixed
// at 38400 baud 8N1 without flow control. Reads never wait; writes return
// once the bytes are on the wire or the write time-out (1000 ms + 100 ms per
// byte) has passed. Every failing operation throws SerialError.
#include <cstdint>
#include <string>

#include "common/io_error.h"

namespace tripdesk::device {

// A link operation that failed; the message names the operation and carries
// the system's error code, as the windows show it.
class SerialError : public IoError {
public:
    SerialError(const std::string& operation, int error_code);
    int error_code() const { return error_code_; }

private:
    int error_code_;
};

class SerialLink {
public:
    virtual ~SerialLink() = default;
    // Opens the port (a path, or a name under /dev) with DTR and RTS off.
    virtual void open(const std::string& port) = 0;
    // Closing a closed link does nothing.
    virtual void close() = 0;
    virtual bool is_open() const = 0;
    // Discards everything in the receive and the transmit buffer.
    virtual void purge() = 0;
    virtual void set_dtr(bool on) = 0;
    // Received bytes not yet read.
    virtual int pending() = 0;
    // Returns the number of bytes sent before the write time-out.
    virtual int write(const std::string& bytes) = 0;
    int write_byte(std::uint8_t byte) { return write(std::string(1, static_cast<char>(byte))); }
    // At most max_bytes of the pending bytes, without waiting; may be empty.
    virtual std::string read(int max_bytes) = 0;
};

// Opens ports as the rest of the system names them: a name without a slash
// (such as "ttyUSB0") lives under /dev, anything else is a path.
std::string port_device_path(const std::string& port);

}  // namespace tripdesk::device
