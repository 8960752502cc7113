#pragma once
// The one serial port of the library, on termios. COM number n names
// $DLR4470_PORT_DIR/COMn when that variable is set (a folder of links to the
// real devices), else the default mapping of com_port_path().
#include <cstddef>
#include <cstdint>
#include <string>

namespace dlr {

// Default mapping without DLR4470_PORT_DIR: COM1..COM32 are /dev/ttyS0..31,
// COM33..COM64 /dev/ttyUSB0..31, COM65..COM96 /dev/ttyACM0..31; other
// numbers name no port (empty result).
std::string com_port_path(int com);

// Opens COMn with the line settings and time-outs of the logger link
// (115,200 baud unless given). False when it cannot be opened or set up.
bool port_open(int com, int baud = 115200);
void port_close();
bool port_is_open();

// One read of up to n bytes within the read time-outs; the number of bytes
// that arrived (0 on failure or time-out).
size_t port_read(uint8_t* buffer, size_t n);

// One write call within the write time-out: bytes written, 0 on a time-out
// that moved nothing, -1 on failure.
long port_write(const uint8_t* buffer, size_t n);

// True once the other end has gone (hang-up or I/O error): waits stop early
// instead of polling a dead link until their limit.
bool port_lost();

}  // namespace dlr
