#include "device/serial_ports.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <strings.h>

#include "device/serial_link.h"

namespace tripdesk::device {
namespace fs = std::filesystem;

namespace {

std::vector<std::string> split_paths(const std::string& text) {
    std::vector<std::string> out;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t end = std::min(text.find(':', start), text.size());
        if (end > start) out.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return out;
}

std::string link_target_name(const fs::path& link) {
    std::error_code ec;
    const fs::path target = fs::read_symlink(link, ec);
    return ec ? std::string() : target.filename().string();
}

// The legacy 8250 driver registers ttyS0..ttyS31 whether or not a UART sits
// behind them; those placeholders hang off its platform device.
bool is_placeholder_uart(const fs::path& tty_dir) {
    return link_target_name(tty_dir / "device" / "driver") == "serial8250";
}

bool sits_on_usb(const fs::path& tty_dir) {
    std::error_code ec;
    const fs::path device = fs::canonical(tty_dir / "device", ec);
    if (ec) return false;
    for (const auto& part : device) {
        if (part.string().rfind("usb", 0) == 0) return true;
    }
    return false;
}

}  // namespace

PortSources system_port_sources() {
    PortSources sources;
    if (const char* extra = std::getenv("TRIPDESK_PORTS")) sources.extra_ports = extra;
    return sources;
}

void sort_port_names(std::vector<std::string>& names) {
    std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return ::strcasecmp(a.c_str(), b.c_str()) < 0;
    });
}

PortList list_serial_ports(const PortSources& sources) {
    PortList list;
    std::vector<std::string> usb_ports;
    const fs::path class_dir = fs::path(sources.sysfs_root) / "class" / "tty";
    std::error_code ec;
    fs::directory_iterator it(class_dir, ec);
    if (ec) throw SerialError("Registry error", ec.value());
    for (const auto& entry : it) {
        const fs::path dir = entry.path();
        if (!fs::exists(dir / "device", ec)) continue;
        if (is_placeholder_uart(dir)) continue;
        const std::string name = dir.filename().string();
        list.entries.push_back(name);
        if (sits_on_usb(dir)) usb_ports.push_back(name);
    }
    for (const auto& path : split_paths(sources.extra_ports)) list.entries.push_back(path);
    sort_port_names(list.entries);
    sort_port_names(usb_ports);
    if (!usb_ports.empty()) list.converter = usb_ports.front();
    return list;
}

int preselected_entry(const std::vector<std::string>& entries, const std::string& current_port,
                      const std::string& converter) {
    if (entries.empty()) return -1;
    int selected = 0;
    for (size_t i = 1; i < entries.size(); ++i) {
        if (entries[i] == current_port) {
            selected = static_cast<int>(i);
            break;
        }
    }
    if (!converter.empty()) {
        for (size_t i = 0; i < entries.size(); ++i) {
            if (::strcasecmp(entries[i].c_str(), converter.c_str()) == 0) return static_cast<int>(i);
        }
    }
    return selected;
}

std::string port_for_connection(const std::vector<std::string>& entries, const std::string& chooser_text,
                                const std::string& current_port) {
    const bool listed = std::find(entries.begin(), entries.end(), chooser_text) != entries.end();
    return listed ? chooser_text : current_port;
}

std::string port_to_remember(const std::string& selected_entry, const std::string& current_port) {
    return selected_entry.size() < 4 ? current_port : selected_entry;
}

}  // namespace tripdesk::device
