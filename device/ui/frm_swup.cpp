#include "device/ui/frm_swup.h"

#include <QComboBox>
#include <QDateTime>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>

#include "device/firmware_compat.h"
#include "device/firmware_update.h"
#include "device/ui/bar_progress.h"
#include "device/ui/event_loop_sleeper.h"
#include "device/ui/port_chooser.h"

using namespace tripdesk::device;
using namespace tripdesk::device::ui;

namespace {

constexpr const char* kNoFile = "[no file selected]";
constexpr const char* kUnknown = "[UNKNOWN]";

QLabel* named_label(const char* name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

QPushButton* named_button(const char* name, const QString& text, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    return button;
}

}  // namespace

Tfrm_swup::Tfrm_swup(DeviceWindowOptions options, QWidget* parent)
    : QWidget(parent, Qt::Window), options_(std::move(options)), log_(nullptr) {
    setObjectName("Tfrm_swup");
    setWindowTitle("Aktualizácia firmwaru CPU zariadenia");
    resize(560, 480);
    auto* grid = new QGridLayout(this);

    grid->addWidget(named_label("lbl_port", "Komunikačný port:", this), 0, 0);
    cmb_porty = new QComboBox(this);
    cmb_porty->setObjectName("cmb_porty");
    grid->addWidget(cmb_porty, 0, 1);
    pnl_alert = make_alert_panel(this);
    grid->addWidget(pnl_alert, 0, 2);

    grid->addWidget(named_label("lbl_fwfile", "Súbor s binárnym obrazom FIRMWARE:", this), 1, 0);
    edt_fwfile = new QLineEdit(kNoFile, this);
    edt_fwfile->setObjectName("edt_fwfile");
    edt_fwfile->setReadOnly(true);
    grid->addWidget(edt_fwfile, 1, 1);
    // The image chooser is always available.
    btn_vyber = named_button("btn_vyber", "...", this);
    grid->addWidget(btn_vyber, 1, 2);

    const std::pair<const char*, const char*> rows[] = {
        {"lbl_datecap", "FIRMWARE:"}, {"lbl_id1cap", "CPU MODEL:"}, {"lbl_id2cap", "BOOTLOADER:"}};
    QLabel** values[] = {&lbl_date, &lbl_id1, &lbl_id2};
    const char* value_names[] = {"lbl_date", "lbl_id1", "lbl_id2"};
    for (int i = 0; i < 3; ++i) {
        grid->addWidget(named_label(rows[i].first, rows[i].second, this), 2 + i, 0);
        *values[i] = named_label(value_names[i], kUnknown, this);
        grid->addWidget(*values[i], 2 + i, 1, 1, 2);
    }

    pnl_status = new QFrame(this);
    pnl_status->setObjectName("pnl_status");
    pnl_status->setAutoFillBackground(true);
    auto* status_layout = new QVBoxLayout(pnl_status);
    status_layout->setContentsMargins(3, 3, 3, 3);
    mem_status = new QPlainTextEdit(pnl_status);
    mem_status->setObjectName("mem_status");
    mem_status->setReadOnly(true);
    mem_status->setLineWrapMode(QPlainTextEdit::NoWrap);
    mem_status->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    mem_status->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    status_layout->addWidget(mem_status);
    grid->addWidget(pnl_status, 5, 0, 1, 3);
    grid->setRowStretch(5, 1);

    pnl_bargrp = new QFrame(this);
    pnl_bargrp->setObjectName("pnl_bargrp");
    pnl_bargrp->setAutoFillBackground(true);
    auto* bar_layout = new QVBoxLayout(pnl_bargrp);
    bar_layout->setContentsMargins(3, 3, 3, 3);
    bar_stat = new QProgressBar(pnl_bargrp);
    bar_stat->setObjectName("bar_stat");
    bar_stat->setTextVisible(false);
    bar_stat->setValue(0);
    bar_layout->addWidget(bar_stat);
    grid->addWidget(pnl_bargrp, 6, 0, 1, 3);

    auto* buttons = new QHBoxLayout;
    btn_upload = named_button("btn_upload", "Aktualizovať FIRMWARE !!!", this);
    btn_term = named_button("btn_term", "Spustiť ako terminál", this);
    btn_zatvor = named_button("btn_zatvor", "Zatvoriť", this);
    buttons->addWidget(btn_upload);
    buttons->addWidget(btn_term);
    buttons->addStretch(1);
    buttons->addWidget(btn_zatvor);
    grid->addLayout(buttons, 7, 0, 1, 3);
    grid->setColumnStretch(1, 1);

    tmr_term = new QTimer(this);
    tmr_term->setObjectName("tmr_term");
    tmr_term->setInterval(kTerminalPollMs);

    log_ = MemoLog(mem_status);
    btn_upload->setEnabled(false);

    connect(btn_vyber, &QPushButton::clicked, this, &Tfrm_swup::btn_vyberClick);
    connect(btn_upload, &QPushButton::clicked, this, &Tfrm_swup::btn_uploadClick);
    connect(btn_term, &QPushButton::clicked, this, &Tfrm_swup::btn_termClick);
    connect(btn_zatvor, &QPushButton::clicked, this, &Tfrm_swup::btn_zatvorClick);
    connect(tmr_term, &QTimer::timeout, this, &Tfrm_swup::tmr_termTimer);
}

Tfrm_swup::~Tfrm_swup() { switch_terminal_off(); }

std::string Tfrm_swup::port_to_save() const { return port_to_remember(selected_entry(cmb_porty), current_port_); }

void Tfrm_swup::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

// Leaving the window ends the terminal, so no port stays open behind it.
void Tfrm_swup::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (!event->spontaneous()) switch_terminal_off();
}

void Tfrm_swup::FormShow() {
    edt_fwfile->setText(kNoFile);
    clear_alert(pnl_alert);
    log_.clear();
    btn_upload->setEnabled(false);
    const std::string converter = fill_port_chooser(
        cmb_porty, options_.ports, current_port_, [this](const QString& text) { options_.show_error(this, text); });
    if (!converter.empty()) log_.add_line("- device detected at serial port: " + converter);
    btn_term->setFocus();
}

void Tfrm_swup::take_chooser_port() {
    current_port_ = port_for_connection(chooser_entries(cmb_porty), cmb_porty->currentText().toStdString(),
                                        current_port_);
}

void Tfrm_swup::btn_vyberClick() {
    // Choosing forgets the loaded image, so nothing is left to upload until
    // the new one loads.
    image_.forget();
    btn_upload->setEnabled(false);
    log_.clear();
    bar_stat->setValue(0);
    repaint_now();
    const QString path = options_.choose_file(this, options_.firmware_folder, "Firmware binary files (*.BIN)");
    if (path.isEmpty()) return;
    const QFileInfo file(path);
    edt_fwfile->setText(file.fileName());
    BarProgress progress(bar_stat, *options_.sleeper);
    bool loaded = false;
    try {
        loaded = load_firmware_image(path.toStdString(), image_, log_, progress);
    } catch (const tripdesk::IoError& e) {
        bar_stat->setValue(0);
        options_.show_error(this, QString::fromStdString(e.what()));
    }
    if (!loaded) return;
    const FirmwareName name = firmware_name_info(file.fileName().toStdString());
    image_pack_ = name.pack;
    const QString date = QLocale().toString(file.lastModified().date(), QLocale::ShortFormat);
    lbl_date->setText(QString::fromStdString(name.label) + " (" + date + ")");
    lbl_id1->setText(QString::fromStdString(name.pack));
    lbl_id2->setText("[none]");
    btn_upload->setEnabled(true);
    repaint_now();
}

void Tfrm_swup::set_busy_colours(bool busy) {
    for (auto [frame, colour] : {std::pair{pnl_status, QColor(216, 14, 19)}, std::pair{pnl_bargrp, QColor(Qt::white)}}) {
        QPalette palette = frame->palette();
        palette.setColor(QPalette::Window, busy ? colour : this->palette().color(QPalette::Button));
        frame->setPalette(palette);
    }
}

void Tfrm_swup::btn_uploadClick() {
    for (QPushButton* button : {btn_upload, btn_zatvor, btn_term}) button->setEnabled(false);
    set_busy_colours(true);
    log_.clear();
    repaint_now();

    take_chooser_port();
    UpdateHooks hooks;
    hooks.show_device_pack = [this](const std::string& pack) { lbl_id2->setText(QString::fromStdString(pack)); };
    hooks.confirm = [this](const std::string& question) {
        return options_.ask_yes_no(this, QString::fromStdString(question));
    };
    hooks.failure_signal = [this] { blink_alert(pnl_alert, *options_.sleeper); };
    BarProgress progress(bar_stat, *options_.sleeper);
    const auto link = options_.make_link();
    run_firmware_update(*link, current_port_, image_, image_pack_, log_, progress, *options_.sleeper, hooks,
                        options_.update);

    btn_upload->setEnabled(true);
    set_busy_colours(false);
    btn_zatvor->setEnabled(true);
    btn_term->setEnabled(true);
    repaint_now();
}

void Tfrm_swup::btn_termClick() {
    if (tmr_term->isActive()) {
        switch_terminal_off();
        return;
    }
    btn_upload->setEnabled(false);
    take_chooser_port();
    terminal_link_ = options_.make_link();
    terminal_ = std::make_unique<TrackerTerminal>(*terminal_link_, log_, *options_.sleeper);
    // The poll starts once the restart is through: the waits of the DTR
    // pulse let timers run, and received text must follow the "OK".
    try {
        terminal_->start(current_port_);
        repaint_now();
    } catch (const SerialError& e) {
        options_.show_error(this, QString::fromStdString(e.what()));
    }
    tmr_term->start();
}

void Tfrm_swup::tmr_termTimer() {
    if (terminal_) {
        try {
            terminal_->poll();
        } catch (const SerialError& e) {
            // The port went away (the converter was unplugged): stop polling it.
            switch_terminal_off();
            options_.show_error(this, QString::fromStdString(e.what()));
            return;
        }
    }
    btn_term->setEnabled(true);
}

void Tfrm_swup::switch_terminal_off() {
    if (!tmr_term->isActive() && !terminal_) return;
    tmr_term->stop();
    if (image_.loaded()) btn_upload->setEnabled(true);
    terminal_.reset();
    terminal_link_.reset();
}

// Closing hides the window; the main window takes itself back on the hide.
void Tfrm_swup::btn_zatvorClick() { close(); }
