#pragma once
// The firmware update window: loads a firmware image, checks it suits the
// tracker and writes it through the tracker's bootloader; also a
// receive-only terminal.
#include <QWidget>

#include <memory>
#include <string>

#include "device/firmware_image.h"
#include "device/serial_link.h"
#include "device/terminal.h"
#include "device/ui/device_window_options.h"
#include "device/ui/memo_log.h"

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTimer;

class Tfrm_swup : public QWidget {
    Q_OBJECT

public:
    explicit Tfrm_swup(tripdesk::device::ui::DeviceWindowOptions options, QWidget* parent = nullptr);
    ~Tfrm_swup() override;

    // The remembered port ([FRM_SWUP] SerialPort) and the value to remember
    // at exit.
    void set_current_port(const std::string& port) { current_port_ = port; }
    const std::string& current_port() const { return current_port_; }
    std::string port_to_save() const;
    const tripdesk::device::FirmwareImage& image() const { return image_; }

    void btn_vyberClick();
    void btn_uploadClick();
    void btn_termClick();

    QComboBox* cmb_porty = nullptr;
    QLabel* pnl_alert = nullptr;
    QLineEdit* edt_fwfile = nullptr;
    QPushButton* btn_vyber = nullptr;
    QLabel* lbl_date = nullptr;  // firmware label and file date
    QLabel* lbl_id1 = nullptr;   // image pack
    QLabel* lbl_id2 = nullptr;   // device pack
    QFrame* pnl_status = nullptr;
    QPlainTextEdit* mem_status = nullptr;
    QFrame* pnl_bargrp = nullptr;
    QProgressBar* bar_stat = nullptr;
    QPushButton* btn_upload = nullptr;
    QPushButton* btn_term = nullptr;
    QPushButton* btn_zatvor = nullptr;
    QTimer* tmr_term = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void FormShow();
    void tmr_termTimer();
    void switch_terminal_off();
    void take_chooser_port();
    void set_busy_colours(bool busy);
    void btn_zatvorClick();

    tripdesk::device::ui::DeviceWindowOptions options_;
    std::string current_port_ = "COM1";
    std::string image_pack_;
    tripdesk::device::FirmwareImage image_;
    tripdesk::device::ui::MemoLog log_;
    std::unique_ptr<tripdesk::device::SerialLink> terminal_link_;
    std::unique_ptr<tripdesk::device::TrackerTerminal> terminal_;
};
