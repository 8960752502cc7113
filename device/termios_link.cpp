#include "device/termios_link.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

#include "common/c_format.h"

namespace tripdesk::device {
namespace {

constexpr speed_t kBaud = B38400;
// One byte on the line: start bit, 8 data bits, stop bit at 38400 baud.
constexpr long kByteTimeUs = 10L * 1000000L / 38400L;
constexpr long kWriteTimeoutUs = 1000L * 1000L;
constexpr long kWriteTimeoutPerByteUs = 100L * 1000L;
constexpr long kPacingSlackUs = 2000;

long now_us() {
    using namespace std::chrono;
    return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

// A terminal without modem lines (a pseudo-terminal) answers the modem
// ioctls with ENOTTY or EINVAL; that is not a failure of the link.
bool no_modem_lines(int err) { return err == ENOTTY || err == EINVAL; }

}  // namespace

SerialError::SerialError(const std::string& operation, int error_code)
    : IoError(operation + c_format(" (win error code: %d)", error_code)), error_code_(error_code) {}

std::string port_device_path(const std::string& port) {
    if (port.find('/') != std::string::npos) return port;
    return "/dev/" + port;
}

TermiosLink::~TermiosLink() { close(); }

void TermiosLink::open(const std::string& port) {
    close();
    const std::string path = port_device_path(port);
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) throw SerialError("Unable to open com port", errno);
    termios tio{};
    if (::tcgetattr(fd, &tio) != 0) {
        const int err = errno;
        ::close(fd);
        throw SerialError(err == ENOTTY ? "Unable to open com port" : "SetCommState function failed", err);
    }
    ::cfmakeraw(&tio);
    tio.c_cflag &= ~(PARENB | CSTOPB | CSIZE | CRTSCTS);
    tio.c_cflag |= CS8 | CLOCAL | CREAD;
    tio.c_iflag &= ~(IXON | IXOFF | IXANY);
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    ::cfsetispeed(&tio, kBaud);
    ::cfsetospeed(&tio, kBaud);
    if (::tcsetattr(fd, TCSANOW, &tio) != 0) {
        const int err = errno;
        ::close(fd);
        throw SerialError("SetCommState function failed", err);
    }
    // The tracker restarts on DTR: both lines start off and stay off
    // except during a deliberate pulse.
    int lines = TIOCM_DTR | TIOCM_RTS;
    if (::ioctl(fd, TIOCMBIC, &lines) == 0) {
        has_modem_lines_ = true;
    } else if (no_modem_lines(errno)) {
        has_modem_lines_ = false;
    } else {
        const int err = errno;
        ::close(fd);
        throw SerialError("EscapeCommFunction function failed", err);
    }
    fd_ = fd;
}

void TermiosLink::close() {
    if (fd_ < 0) return;
    ::close(fd_);
    fd_ = -1;
}

void TermiosLink::require_open(const char* operation) const {
    if (fd_ < 0) throw SerialError(operation, EBADF);
}

void TermiosLink::purge() {
    require_open("PurgeComm function failed");
    if (::tcflush(fd_, TCIOFLUSH) != 0) throw SerialError("PurgeComm function failed", errno);
}

void TermiosLink::set_dtr(bool on) {
    require_open("EscapeCommFunction function failed");
    if (!has_modem_lines_) return;
    int line = TIOCM_DTR;
    if (::ioctl(fd_, on ? TIOCMBIS : TIOCMBIC, &line) != 0 && !no_modem_lines(errno))
        throw SerialError("EscapeCommFunction function failed", errno);
}

int TermiosLink::pending() {
    require_open("ClearCommError function failed");
    int count = 0;
    if (::ioctl(fd_, FIONREAD, &count) != 0) throw SerialError("ClearCommError function failed", errno);
    return count;
}

int TermiosLink::write(const std::string& bytes) {
    require_open("WriteFile function failed");
    const long start = now_us();
    const long deadline = start + kWriteTimeoutUs + kWriteTimeoutPerByteUs * static_cast<long>(bytes.size());
    size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = ::write(fd_, bytes.data() + sent, bytes.size() - sent);
        if (n > 0) {
            sent += static_cast<size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno != EAGAIN) throw SerialError("WriteFile function failed", errno);
        const long left_us = deadline - now_us();
        if (left_us <= 0) break;
        pollfd pfd{fd_, POLLOUT, 0};
        const int ready = ::poll(&pfd, 1, static_cast<int>((left_us + 999) / 1000));
        if (ready < 0 && errno != EINTR) throw SerialError("WriteFile function failed", errno);
        if (ready > 0 && (pfd.revents & (POLLERR | POLLHUP)) && !(pfd.revents & POLLOUT))
            throw SerialError("WriteFile function failed", EIO);
    }
    wait_until_sent(static_cast<int>(sent), deadline);
    return static_cast<int>(sent);
}

void TermiosLink::wait_until_sent(int bytes, long deadline_us) {
    if (!has_modem_lines_) {
        // No wire to drain: keep the line's timing so the peer is paced as
        // a real device would be. Short sleeps overshoot by about a
        // millisecond, so the writer only sleeps once it is ahead of the
        // wire by more than that.
        const long now = now_us();
        wire_free_at_us_ = std::max(wire_free_at_us_, now) + kByteTimeUs * bytes;
        if (wire_free_at_us_ - now > kPacingSlackUs)
            std::this_thread::sleep_for(std::chrono::microseconds(wire_free_at_us_ - now));
        return;
    }
    for (;;) {
        int queued = 0;
        if (::ioctl(fd_, TIOCOUTQ, &queued) != 0 || queued == 0) return;
        if (now_us() >= deadline_us) return;
        std::this_thread::sleep_for(std::chrono::microseconds(kByteTimeUs));
    }
}

std::string TermiosLink::read(int max_bytes) {
    require_open("ReadFile function failed");
    std::string out;
    if (max_bytes <= 0) return out;
    out.resize(static_cast<size_t>(max_bytes));
    for (;;) {
        const ssize_t n = ::read(fd_, out.data(), out.size());
        if (n >= 0) {
            out.resize(static_cast<size_t>(n));
            return out;
        }
        if (errno == EINTR) continue;
        if (errno == EAGAIN) return {};
        throw SerialError("ReadFile function failed", errno);
    }
}

}  // namespace tripdesk::device
