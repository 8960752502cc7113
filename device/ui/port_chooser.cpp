#include "device/ui/port_chooser.h"

#include <QComboBox>
#include <QLabel>

#include "device/failure_signal.h"
#include "device/serial_link.h"
#include "device/ui/event_loop_sleeper.h"

namespace tripdesk::device::ui {

std::string fill_port_chooser(QComboBox* chooser, const PortSources& sources, const std::string& current_port,
                              const std::function<void(const QString&)>& show_error) {
    PortList list;
    try {
        list = list_serial_ports(sources);
    } catch (const IoError& e) {
        show_error(QString::fromStdString(e.what()));
    }
    const QSignalBlocker quiet(chooser);
    chooser->clear();
    for (const auto& name : list.entries) chooser->addItem(QString::fromStdString(name));
    chooser->setCurrentIndex(preselected_entry(list.entries, current_port, list.converter));
    return list.converter;
}

std::vector<std::string> chooser_entries(const QComboBox* chooser) {
    std::vector<std::string> out;
    for (int i = 0; i < chooser->count(); ++i) out.push_back(chooser->itemText(i).toStdString());
    return out;
}

std::string selected_entry(const QComboBox* chooser) {
    const int index = chooser->currentIndex();
    return index < 0 ? std::string() : chooser->itemText(index).toStdString();
}

QLabel* make_alert_panel(QWidget* parent) {
    auto* alert = new QLabel(kAlertOff, parent);
    alert->setObjectName("pnl_alert");
    QFont bold = alert->font();
    bold.setBold(true);
    alert->setFont(bold);
    alert->setStyleSheet("color: rgb(216, 14, 19);");
    alert->setMinimumWidth(alert->fontMetrics().horizontalAdvance("!!!") + 8);
    return alert;
}

void clear_alert(QLabel* alert) { alert->setText(kAlertOff); }

void blink_alert(QLabel* alert, Sleeper& sleeper) {
    blink_failure_signal(
        [alert](const std::string& text) {
            alert->setText(QString::fromStdString(text));
            alert->repaint();
        },
        sleeper);
}

}  // namespace tripdesk::device::ui
