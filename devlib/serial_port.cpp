#include "devlib/serial_port.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "devlib/state.h"

namespace dlr {

namespace {

int port_fd = -1;
bool link_lost = false;

// Read: 50 ms between bytes, 10 ms per byte plus 50 ms in total; write: 10 ms
// per byte plus 50 ms. The earlier build uses a flat 100 ms everywhere.
constexpr int kReadIntervalMs = kEarlierBuild ? 100 : 50;
constexpr int kPerByteMs = kEarlierBuild ? 0 : 10;
constexpr int kConstantMs = kEarlierBuild ? 100 : 50;

int64_t now_ms() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<int64_t>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

speed_t baud_constant(int baud) {
    switch (baud) {
        case 9600: return B9600;
        case 19200: return B19200;
        case 38400: return B38400;
        case 57600: return B57600;
        case 230400: return B230400;
        default: return B115200;
    }
}

bool apply_line_settings(int fd, int baud) {
    termios tio{};
    if (tcgetattr(fd, &tio) != 0) return false;
    cfmakeraw(&tio);
    tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS);
    tio.c_cflag |= CS8 | CLOCAL | CREAD;
    tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY | INPCK | PARMRK | IGNPAR);
    tio.c_cc[VSTART] = 0x11;
    tio.c_cc[VSTOP] = 0x13;
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    cfsetispeed(&tio, baud_constant(baud));
    cfsetospeed(&tio, baud_constant(baud));
    if (tcsetattr(fd, TCSANOW, &tio) != 0) return false;
    // DTR and RTS on. A pseudo-terminal has no modem lines and refuses the
    // request with ENOTTY (some drivers EINVAL): that is no link error.
    int lines = TIOCM_DTR | TIOCM_RTS;
    if (ioctl(fd, TIOCMBIS, &lines) != 0 && errno != ENOTTY && errno != EINVAL) return false;
    return true;
}

}  // namespace

std::string com_port_path(int com) {
    if (const char* dir = std::getenv("DLR4470_PORT_DIR"); dir && *dir) {
        if (com < 0) return {};
        return std::string(dir) + "/COM" + std::to_string(com);
    }
    if (com >= 1 && com <= 32) return "/dev/ttyS" + std::to_string(com - 1);
    if (com >= 33 && com <= 64) return "/dev/ttyUSB" + std::to_string(com - 33);
    if (com >= 65 && com <= 96) return "/dev/ttyACM" + std::to_string(com - 65);
    return {};
}

bool port_open(int com, int baud) {
    port_close();
    const std::string path = com_port_path(com);
    if (path.empty()) return false;
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    // No sharing: further opens of the device are refused while we hold it.
    ioctl(fd, TIOCEXCL);
    if (!apply_line_settings(fd, baud)) {
        ::close(fd);
        return false;
    }
    port_fd = fd;
    link_lost = false;
    return true;
}

void port_close() {
    if (port_fd >= 0) ::close(port_fd);
    port_fd = -1;
    link_lost = false;
}

bool port_is_open() { return port_fd >= 0; }

bool port_lost() { return port_fd < 0 || link_lost; }

size_t port_read(uint8_t* buffer, size_t n) {
    if (port_fd < 0 || n == 0) return 0;
    const int64_t deadline = now_ms() + kPerByteMs * static_cast<int64_t>(n) + kConstantMs;
    size_t got = 0;
    while (got < n) {
        const int64_t now = now_ms();
        int64_t wait = deadline - now;
        if (got > 0 && wait > kReadIntervalMs) wait = kReadIntervalMs;
        if (wait <= 0) break;
        pollfd pfd{port_fd, POLLIN, 0};
        const int ready = ::poll(&pfd, 1, static_cast<int>(wait));
        if (ready < 0) {
            if (errno == EINTR) continue;
            break;
        }
        if (ready == 0) break;  // total or interval time-out
        const ssize_t r = ::read(port_fd, buffer + got, n - got);
        if (r > 0) {
            got += static_cast<size_t>(r);
            continue;
        }
        if (r < 0 && (errno == EAGAIN || errno == EINTR)) continue;
        // End of file or I/O error: the other side is gone.
        link_lost = true;
        break;
    }
    return got;
}

long port_write(const uint8_t* buffer, size_t n) {
    if (port_fd < 0) return -1;
    const int64_t deadline = now_ms() + kPerByteMs * static_cast<int64_t>(n) + kConstantMs;
    size_t done = 0;
    while (done < n) {
        const ssize_t w = ::write(port_fd, buffer + done, n - done);
        if (w > 0) {
            done += static_cast<size_t>(w);
            continue;
        }
        if (w < 0 && errno != EAGAIN && errno != EINTR) {
            link_lost = true;
            return done > 0 ? static_cast<long>(done) : -1;
        }
        const int64_t wait = deadline - now_ms();
        if (wait <= 0) break;
        pollfd pfd{port_fd, POLLOUT, 0};
        ::poll(&pfd, 1, static_cast<int>(wait));
    }
    return static_cast<long>(done);
}

}  // namespace dlr
