#pragma once
// The port chooser both tracker windows share: fills the combo box with the
// system's ports, preselects an entry, and blinks the alert panel beside it.
#include <QString>
#include <QStringList>

#include <functional>
#include <string>

#include "device/serial_ports.h"
#include "device/sleeper.h"

class QComboBox;
class QLabel;
class QWidget;

namespace tripdesk::device::ui {

// Replaces the entries and selects one as preselected_entry() does; returns
// the converter port (empty when none). A port list that cannot be read is
// shown with show_error and leaves the chooser empty.
std::string fill_port_chooser(QComboBox* chooser, const PortSources& sources, const std::string& current_port,
                              const std::function<void(const QString&)>& show_error);

std::vector<std::string> chooser_entries(const QComboBox* chooser);
// The selected entry's text, empty when nothing is selected.
std::string selected_entry(const QComboBox* chooser);

// The alert panel: bold red text, blank when idle.
QLabel* make_alert_panel(QWidget* parent);
void clear_alert(QLabel* alert);
void blink_alert(QLabel* alert, Sleeper& sleeper);

}  // namespace tripdesk::device::ui
