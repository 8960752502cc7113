#pragma once
// The logger link: command frames, text tokens, the write and read
// primitives, the end-marker wait, dump mode and the memory-size query.
#include <cstddef>
#include <cstdint>

namespace dlr {

// Text tokens; their terminating zero travels and counts in every length.
constexpr char kBanner[] = "Quivelsong Tech. Co. DL-R4470\r\n";
constexpr char kEnterCommand[] = "Q'V Camera Detect";
constexpr char kAcknowledge[] = "QV GPS+BT";
constexpr char kExitCommand[] = "QV AP-Exit";
constexpr char kEndMarker[] = "QV Update Over";
constexpr char kChecksumOk[] = "Checksum    OK";
constexpr char kChecksumError[] = "Checksum Error";

// Writes n bytes, repeating the platform write until all are out. Fails when
// a write fails having moved nothing or when the port stays blocked for a
// bounded number of time-outs. The earlier build never reports a failure.
bool write_all(const uint8_t* bytes, size_t n);

// Builds the 7-byte command frame in the transfer buffer and writes it.
bool send_command(uint8_t op1, uint8_t op2, uint32_t argument = 0, uint8_t byte6 = 0);

// One read of up to n bytes into the start of the transfer buffer.
size_t read_answer(size_t n);

// True when the first sizeof(token) bytes of the transfer buffer hold token
// with its zero, after a read that received something.
bool answer_is(const char* token, size_t token_size, size_t arrived);

// Waits for "QV Update Over" until the second-tick counter exceeds 2.
bool wait_end_marker();

// Memory-size query: updates the memory-size code and the dump geometry.
void query_memory_size();

// Takes a memory-size code and the dump geometry that follows from it.
void use_memory_size(uint32_t code);

// Both entry exports after the port is open: 24 or 4.
int32_t enter_dump_mode();

// Sends the exit command, closes the port and clears the dump-mode flag.
void leave_dump_mode();

// Second-tick limit of the erase wait for the current memory-size code.
int erase_tick_limit();

uint32_t read_le32(const uint8_t* p);
void write_le32(uint8_t* p, uint32_t v);

}  // namespace dlr
