#include "device/ui/frm_readsn.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

#include "device/identification.h"
#include "device/ui/event_loop_sleeper.h"
#include "device/ui/port_chooser.h"

using namespace tripdesk::device;
using namespace tripdesk::device::ui;

namespace {

constexpr const char* kReadCaption = "Identifikovať zariadenie ...";
constexpr const char* kBusyCaption = "Prebieha komunikácia !";

QLabel* named_label(const char* name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

}  // namespace

Tfrm_readsn::Tfrm_readsn(DeviceWindowOptions options, QWidget* parent)
    : QWidget(parent, Qt::Window), options_(std::move(options)) {
    setObjectName("Tfrm_readsn");
    setWindowTitle("Identifikácia zariadenia");
    auto* grid = new QGridLayout(this);

    lbl_vyp1 = named_label("lbl_vyp1", "Výrobné číslo zariadenia:", this);
    lbl_vyp2 = named_label("lbl_vyp2", "Výrobné číslo zariadenia:", this);
    // The shadow copy sits behind the heading, a little offset.
    lbl_vyp2->setStyleSheet("color: gray; padding-left: 2px; padding-top: 2px;");
    grid->addWidget(lbl_vyp2, 0, 0, 1, 3);
    grid->addWidget(lbl_vyp1, 0, 0, 1, 3);
    lbl_vyp1->raise();

    lbl_serial = named_label("lbl_serial", kUnknownSerial, this);
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setBold(true);
    fixed.setPointSize(fixed.pointSize() + 4);
    lbl_serial->setFont(fixed);
    lbl_serial->setAlignment(Qt::AlignCenter);
    lbl_serial->setTextInteractionFlags(Qt::TextSelectableByMouse);
    grid->addWidget(lbl_serial, 1, 0, 1, 3);

    const std::pair<const char*, const char*> rows[] = {
        {"lbl_verzia", "Verzia hardvéru:"}, {"lbl_frekv", "Frekvencia CPU:"}, {"lbl_pozn", "Poznámky:"}};
    QLabel** values[] = {&lbl_inf00, &lbl_inf01, &lbl_inf02};
    const char* value_names[] = {"lbl_inf00", "lbl_inf01", "lbl_inf02"};
    for (int i = 0; i < 3; ++i) {
        grid->addWidget(named_label(rows[i].first, rows[i].second, this), 2 + i, 0);
        *values[i] = named_label(value_names[i], "[none]", this);
        grid->addWidget(*values[i], 2 + i, 1, 1, 2);
    }

    grid->addWidget(named_label("lbl_port", "Komunikačný port:", this), 5, 0);
    cmb_porty = new QComboBox(this);
    cmb_porty->setObjectName("cmb_porty");
    // Typed text is accepted but never used: only a selected entry counts.
    cmb_porty->setEditable(true);
    cmb_porty->setInsertPolicy(QComboBox::NoInsert);
    grid->addWidget(cmb_porty, 5, 1);
    pnl_alert = make_alert_panel(this);
    grid->addWidget(pnl_alert, 5, 2);

    chk_copy = new QCheckBox("skopírovať sériové číslo do schránky ...", this);
    chk_copy->setObjectName("chk_copy");
    chk_copy->setChecked(true);
    grid->addWidget(chk_copy, 6, 0, 1, 3);

    btn_readsn = new QPushButton(kReadCaption, this);
    btn_readsn->setObjectName("btn_readsn");
    btn_zatvor = new QPushButton("Zatvoriť", this);
    btn_zatvor->setObjectName("btn_zatvor");
    grid->addWidget(btn_readsn, 7, 0, 1, 2);
    grid->addWidget(btn_zatvor, 7, 2);
    grid->setColumnStretch(1, 1);

    connect(btn_readsn, &QPushButton::clicked, this, &Tfrm_readsn::btn_readsnClick);
    connect(btn_zatvor, &QPushButton::clicked, this, &Tfrm_readsn::btn_zatvorClick);
    connect(cmb_porty, &QComboBox::currentIndexChanged, this, &Tfrm_readsn::cmb_portyChange);
}

std::string Tfrm_readsn::port_to_save() const { return port_to_remember(selected_entry(cmb_porty), current_port_); }

void Tfrm_readsn::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void Tfrm_readsn::FormShow() {
    fill_port_chooser(cmb_porty, options_.ports, current_port_,
                      [this](const QString& text) { options_.show_error(this, text); });
    clear_alert(pnl_alert);
    lbl_vyp2->setText(lbl_vyp1->text());
    lbl_serial->setText(kUnknownSerial);
    btn_readsn->setFocus();
}

void Tfrm_readsn::cmb_portyChange() { clear_alert(pnl_alert); }

void Tfrm_readsn::btn_readsnClick() {
    for (QLabel* value : {lbl_inf00, lbl_inf01, lbl_inf02}) value->setText(kNoValue);
    clear_alert(pnl_alert);
    lbl_serial->setText(kUnknownSerial);
    // The caption comes back as it was, in whatever language it is shown.
    const QString idle_caption = btn_readsn->text();
    btn_readsn->setText(kBusyCaption);
    btn_readsn->setEnabled(false);
    repaint_now();

    const std::string selected = selected_entry(cmb_porty);
    if (!selected.empty()) current_port_ = selected;
    const auto link = options_.make_link();
    const IdentificationResult result = identify_tracker(*link, current_port_, *options_.sleeper);
    if (!result.link_ok) blink_alert(pnl_alert, *options_.sleeper);

    lbl_serial->setText(QString::fromStdString(result.shown));
    lbl_inf00->setText(QString::fromStdString(result.fields.hardware));
    lbl_inf01->setText(QString::fromStdString(result.fields.cpu));
    lbl_inf02->setText(QString::fromStdString(result.fields.note));
    repaint_now();
    if (chk_copy->isChecked()) QApplication::clipboard()->setText(lbl_serial->text());
    if (result.link_ok) options_.sleeper->sleep_ms(900);

    btn_readsn->setText(idle_caption);
    btn_readsn->setEnabled(true);
    btn_readsn->setFocus();
}

// Closing hides the window; the main window takes itself back on the hide.
void Tfrm_readsn::btn_zatvorClick() { close(); }
