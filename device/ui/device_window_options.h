#pragma once
// What the two tracker windows take from their surroundings: where ports
// come from, the serial link, the waits and the system's dialogs. Tests
// inject their own; default_device_window_options() gives the real ones.
#include <QString>

#include <functional>
#include <memory>

#include "device/firmware_update.h"
#include "device/serial_link.h"
#include "device/serial_ports.h"
#include "device/sleeper.h"

class QWidget;

namespace tripdesk::device::ui {

struct DeviceWindowOptions {
    PortSources ports;
    std::function<std::unique_ptr<SerialLink>()> make_link;
    // The waits of the exchanges; the default keeps the window repainting.
    Sleeper* sleeper = nullptr;
    // The folder the image chooser starts in.
    QString firmware_folder;
    UpdateOptions update;
    // An error box.
    std::function<void(QWidget* parent, const QString& text)> show_error;
    // A Yes/No question box with an information icon; true for Yes.
    std::function<bool(QWidget* parent, const QString& text)> ask_yes_no;
    // The open dialog; empty when cancelled.
    std::function<QString(QWidget* parent, const QString& start_folder, const QString& filter)> choose_file;
};

// The system's ports (sysfs, TRIPDESK_PORTS), termios links, repainting
// waits, message boxes and the file dialog; images start in
// <program_folder>/_firmware.
DeviceWindowOptions default_device_window_options(const QString& program_folder);

}  // namespace tripdesk::device::ui
