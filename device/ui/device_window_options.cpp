#include "device/ui/device_window_options.h"

#include <QFileDialog>
#include <QMessageBox>

#include "device/termios_link.h"
#include "device/ui/event_loop_sleeper.h"

namespace tripdesk::device::ui {

DeviceWindowOptions default_device_window_options(const QString& program_folder) {
    DeviceWindowOptions o;
    o.ports = system_port_sources();
    o.make_link = [] { return std::make_unique<TermiosLink>(); };
    o.sleeper = &event_loop_sleeper();
    o.firmware_folder = program_folder + "_firmware/";
    o.show_error = [](QWidget* parent, const QString& text) { QMessageBox::critical(parent, QString(), text); };
    o.ask_yes_no = [](QWidget* parent, const QString& text) {
        QMessageBox box(QMessageBox::Information, QString(), text, QMessageBox::Yes | QMessageBox::No, parent);
        return box.exec() == QMessageBox::Yes;
    };
    o.choose_file = [](QWidget* parent, const QString& start_folder, const QString& filter) {
        QFileDialog dialog(parent, QString(), start_folder, filter);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setDefaultSuffix("BIN");
        return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty() ? dialog.selectedFiles().first()
                                                                                         : QString();
    };
    return o;
}

}  // namespace tripdesk::device::ui
