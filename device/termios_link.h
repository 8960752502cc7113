#pragma once
// SerialLink on a POSIX terminal device. A pseudo-terminal has no modem
// lines: DTR changes are skipped there, and writes are paced at the line's
// byte time so a device on the other side sees the same timing as on a wire.
#include "device/serial_link.h"

namespace tripdesk::device {

class TermiosLink final : public SerialLink {
public:
    TermiosLink() = default;
    ~TermiosLink() override;
    TermiosLink(const TermiosLink&) = delete;
    TermiosLink& operator=(const TermiosLink&) = delete;

    void open(const std::string& port) override;
    void close() override;
    bool is_open() const override { return fd_ >= 0; }
    void purge() override;
    void set_dtr(bool on) override;
    int pending() override;
    int write(const std::string& bytes) override;
    std::string read(int max_bytes) override;

private:
    void require_open(const char* operation) const;
    void wait_until_sent(int bytes, long deadline_us);

    int fd_ = -1;
    bool has_modem_lines_ = false;
    long wire_free_at_us_ = 0;  // when the last byte written leaves an emulated wire
};

}  // namespace tripdesk::device
