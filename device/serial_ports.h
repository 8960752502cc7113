#pragma once
// The port chooser's contents: the serial ports the system knows, the USB
// converter's port among them, the preselected entry, and which port a
// window uses and remembers.
#include <string>
#include <vector>

namespace tripdesk::device {

struct PortSources {
    // Root of the sysfs tree; tests point it at a folder they built.
    std::string sysfs_root = "/sys";
    // Colon-separated extra ports (paths such as pseudo-terminals), as the
    // TRIPDESK_PORTS variable gives them.
    std::string extra_ports;
};

// PortSources for this machine: /sys plus TRIPDESK_PORTS.
PortSources system_port_sources();

struct PortList {
    std::vector<std::string> entries;  // sorted, letter case ignored
    std::string converter;             // the USB converter's port, or empty
};

// Lists the serial ports: every tty of <root>/class/tty with a device behind
// it (except the unused placeholder ports of the legacy 8250 driver) and the
// extra ports. The converter port is the first listed port that sits on USB.
// Throws SerialError "Registry error" when <root>/class/tty cannot be read.
PortList list_serial_ports(const PortSources& sources);

// Sorts by a text comparison that ignores letter case, so "COM10" comes
// before "COM2".
void sort_port_names(std::vector<std::string>& names);

// The entry to preselect (-1 for an empty list): the first entry, else the
// first later entry equal to the current port; the converter port (letter
// case ignored) overrides both.
int preselected_entry(const std::vector<std::string>& entries, const std::string& current_port,
                      const std::string& converter);

// The port the firmware window connects to: the chooser's text when it is
// one of the entries, else the current port unchanged.
std::string port_for_connection(const std::vector<std::string>& entries, const std::string& chooser_text,
                                const std::string& current_port);

// The value remembered at exit: the selected entry, or the current port when
// the selection is shorter than four characters (nothing selected).
std::string port_to_remember(const std::string& selected_entry, const std::string& current_port);

}  // namespace tripdesk::device
