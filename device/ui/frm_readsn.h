#pragma once
// The identification window: reads the tracker's identification string and
// shows its serial number, hardware version, CPU clock and note.
#include <QWidget>

#include <string>

#include "device/ui/device_window_options.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

class Tfrm_readsn : public QWidget {
    Q_OBJECT

public:
    explicit Tfrm_readsn(tripdesk::device::ui::DeviceWindowOptions options, QWidget* parent = nullptr);

    // The remembered port ([FRM_READSN] SerialPort) and the value to
    // remember at exit.
    void set_current_port(const std::string& port) { current_port_ = port; }
    const std::string& current_port() const { return current_port_; }
    std::string port_to_save() const;

    void btn_readsnClick();

    QLabel* lbl_serial = nullptr;
    QLabel* lbl_vyp1 = nullptr;
    QLabel* lbl_vyp2 = nullptr;
    QLabel* lbl_inf00 = nullptr;  // hardware version
    QLabel* lbl_inf01 = nullptr;  // CPU clock
    QLabel* lbl_inf02 = nullptr;  // note
    QComboBox* cmb_porty = nullptr;
    QLabel* pnl_alert = nullptr;
    QCheckBox* chk_copy = nullptr;
    QPushButton* btn_readsn = nullptr;
    QPushButton* btn_zatvor = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void cmb_portyChange();
    void btn_zatvorClick();

    tripdesk::device::ui::DeviceWindowOptions options_;
    std::string current_port_ = "COM1";
};
