// The logic headers come before Qt's: Qt's "slots" keyword would clash
// with names in them.
#include "common/io_error.h"
#include "devlib/dlr4470.h"
#include "import/logger_import.h"
#include "import/ui/frm_dlr4470.h"
#include "track/vehicle_list.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>

#include "app/ui/frm_main.h"
#include "app/ui/window_registry.h"


namespace tripdesk::import::ui {

Dlr4470WindowOptions default_dlr4470_window_options(std::string data_folder, app::Settings::FrmDlr4470* settings,
                                                    std::vector<track::Vehicle> vehicles) {
    Dlr4470WindowOptions o;
    o.data_folder = std::move(data_folder);
    o.settings = settings;
    o.vehicles = std::move(vehicles);
    o.ask_yes_no = [](QWidget* parent, const QString& text) {
        return QMessageBox::question(parent, QString(), text, QMessageBox::Yes | QMessageBox::No) ==
               QMessageBox::Yes;
    };
    o.show_message = [](QWidget* parent, const QString& text) {
        QMessageBox::information(parent, QString(), text);
    };
    o.sleep = [](int ms) {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    };
    return o;
}

}  // namespace tripdesk::import::ui

namespace {

const QString kTitle = QStringLiteral("Spracovanie záznamov zo zariadenia DLR4470:");
const QString kNotFound = QStringLiteral("Zariadenie DLR4470 nebolo nájdené na USB porte !");
const QString kNoPort = QStringLiteral("nenájdené");
const QString kNoId = QStringLiteral("ID: ??????????");

QLabel* panel(const QString& name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    return label;
}

QLabel* label(const QString& name, const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    return l;
}

// The conversion's progress in the window's bar and status line.
class WindowProgress : public tripdesk::Progress {
public:
    WindowProgress(QProgressBar* bar, std::function<void(const QString&)> status, std::function<void(int)> sleep)
        : bar_(bar), status_(std::move(status)), sleep_(std::move(sleep)) {}
    void position(int pos) override { bar_->setValue(pos); }
    void status(const std::string& text) override { status_(QString::fromStdString(text)); }
    void pump() override { QCoreApplication::processEvents(); }
    void pause(int ms) override { sleep_(ms); }

private:
    QProgressBar* bar_;
    std::function<void(const QString&)> status_;
    std::function<void(int)> sleep_;
};

}  // namespace

Tfrm_dlr4470::Tfrm_dlr4470(tripdesk::import::ui::Dlr4470WindowOptions options, QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), options_(std::move(options)) {
    setObjectName(QStringLiteral("frm_dlr4470"));
    setWindowTitle(QStringLiteral("Import dát z DLR4470"));
    lbl_vyp1 = label(QStringLiteral("lbl_vyp1"), kTitle, this);
    lbl_vyp2 = label(QStringLiteral("lbl_vyp2"), kTitle, this);
    Label1 = label(QStringLiteral("Label1"), QStringLiteral("Záznamník DLR4470 detekovaný na:"), this);
    vyp_port = panel(QStringLiteral("vyp_port"), kNoPort, this);
    Label5 = label(QStringLiteral("Label5"), QStringLiteral("Identifikačné číslo GPS zariadenia:"), this);
    vyp_serial = panel(QStringLiteral("vyp_serial"), kNoId, this);
    Label2 = label(QStringLiteral("Label2"), QStringLiteral("Vozidlo pre spracovanie:"), this);
    cmb_auta = new QComboBox(this);
    cmb_auta->setObjectName(QStringLiteral("cmb_auta"));
    chk_prac = new QCheckBox(QStringLiteral("spracovať len záznamy v dobe:"), this);
    chk_prac->setObjectName(QStringLiteral("chk_prac"));
    Label3 = label(QStringLiteral("Label3"), QStringLiteral("od"), this);
    lbl_od = panel(QStringLiteral("lbl_od"), QStringLiteral("07"), this);
    Label4 = label(QStringLiteral("Label4"), QStringLiteral("do"), this);
    lbl_do = panel(QStringLiteral("lbl_do"), QStringLiteral("17"), this);
    chk_znac = new QCheckBox(QStringLiteral("zastavenia spracovať podľa značiek ..."), this);
    chk_znac->setObjectName(QStringLiteral("chk_znac"));
    pnl_alert = panel(QStringLiteral("pnl_alert"), QStringLiteral("!!!"), this);
    bar_graf = new QProgressBar(this);
    bar_graf->setObjectName(QStringLiteral("bar_graf"));
    bar_graf->setRange(0, 100);
    btn_hlad = new QPushButton(QStringLiteral("Vyhľadať zariadenie pripojené na USB port ..."), this);
    btn_hlad->setObjectName(QStringLiteral("btn_hlad"));
    btn_spoj = new QPushButton(QStringLiteral("Vyčítať záznamy"), this);
    btn_spoj->setObjectName(QStringLiteral("btn_spoj"));
    btn_spoj->setEnabled(false);
    btn_zmaz = new QPushButton(QStringLiteral("Vymazať pamäť"), this);
    btn_zmaz->setObjectName(QStringLiteral("btn_zmaz"));
    btn_zmaz->setEnabled(false);
    btn_zatvor = new QPushButton(QStringLiteral("Zatvoriť"), this);
    btn_zatvor->setObjectName(QStringLiteral("btn_zatvor"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(lbl_vyp1, 0, 0, 1, 6);
    grid->addWidget(lbl_vyp2, 1, 0, 1, 6);
    grid->addWidget(Label1, 2, 0, 1, 3);
    grid->addWidget(vyp_port, 2, 3, 1, 2);
    grid->addWidget(pnl_alert, 2, 5);
    grid->addWidget(Label5, 3, 0, 1, 3);
    grid->addWidget(vyp_serial, 3, 3, 1, 3);
    grid->addWidget(Label2, 4, 0, 1, 6);
    grid->addWidget(cmb_auta, 5, 0, 1, 6);
    grid->addWidget(chk_prac, 6, 0, 1, 2);
    grid->addWidget(Label3, 6, 2);
    grid->addWidget(lbl_od, 6, 3);
    grid->addWidget(Label4, 6, 4);
    grid->addWidget(lbl_do, 6, 5);
    grid->addWidget(chk_znac, 7, 0, 1, 6);
    grid->addWidget(bar_graf, 8, 0, 1, 6);
    grid->addWidget(btn_hlad, 9, 0, 1, 6);
    grid->addWidget(btn_spoj, 10, 0, 1, 2);
    grid->addWidget(btn_zmaz, 10, 2, 1, 2);
    grid->addWidget(btn_zatvor, 10, 4, 1, 2);

    connect(btn_hlad, &QPushButton::clicked, this, [this] { btn_hladClick(); });
    connect(btn_spoj, &QPushButton::clicked, this, [this] { btn_spojClick(); });
    connect(btn_zmaz, &QPushButton::clicked, this, [this] { btn_zmazClick(); });
    connect(btn_zatvor, &QPushButton::clicked, this, [this] { btn_zatvorClick(); });
    // The check boxes are the live settings.
    connect(chk_prac, &QCheckBox::toggled, this, [this](bool on) {
        if (options_.settings) options_.settings->LenPracovne = on;
    });
    connect(chk_znac, &QCheckBox::toggled, this, [this](bool on) {
        if (options_.settings) options_.settings->PouzitTagy = on;
    });
    if (options_.settings) {
        lbl_od->setText(QString::fromStdString(options_.settings->Prac_od));
        lbl_do->setText(QString::fromStdString(options_.settings->Prac_do));
        chk_prac->setChecked(options_.settings->LenPracovne);
        chk_znac->setChecked(options_.settings->PouzitTagy);
    }
}

void Tfrm_dlr4470::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    FormShow();
}

void Tfrm_dlr4470::closeEvent(QCloseEvent* event) {
    FormClose();
    QWidget::closeEvent(event);
}

void Tfrm_dlr4470::status(const QString& text, bool running) {
    const QString colour = running ? QStringLiteral("color: rgb(216, 14, 19);") : QStringLiteral("color: rgb(0, 64, 128);");
    for (QLabel* l : {lbl_vyp1, lbl_vyp2}) {
        l->setText(text);
        l->setStyleSheet(colour);
    }
}

void Tfrm_dlr4470::FormShow() {
    vyp_serial->setText(kNoId);
    vyp_port->setText(kNoPort);
    pnl_alert->clear();
    btn_zmaz->setEnabled(false);
    btn_spoj->setEnabled(false);
    status(kTitle, false);
    cmb_auta->clear();
    std::vector<tripdesk::track::Vehicle> rows = options_.vehicles;
    if (rows.empty()) rows.push_back({"??????????", "DL-R4470", "Žiadne vozidlo !!!"});
    for (const auto& v : rows)
        cmb_auta->addItem(QString::fromStdString("[" + v.registration + "]  " + v.description));
    cmb_auta->setCurrentIndex(0);
}

void Tfrm_dlr4470::FormClose() { QV_DLR4470_EXIT_DUMP_MODE(); }

void Tfrm_dlr4470::blink_alert() {
    for (int i = 0; i < 5; ++i) {
        pnl_alert->setText(QStringLiteral("!!!"));
        options_.sleep(260);
        pnl_alert->setText(QStringLiteral("   "));
        options_.sleep(140);
    }
}

void Tfrm_dlr4470::show_not_found() {
    btn_spoj->setEnabled(false);
    btn_zmaz->setEnabled(false);
    status(kNotFound, false);
    vyp_port->setText(kNoPort);
    vyp_serial->setText(kNoId);
    blink_alert();
}

void Tfrm_dlr4470::InitDevice() {
    btn_zmaz->setEnabled(false);
    btn_spoj->setEnabled(false);
    status(QStringLiteral("Čakajte prosím, prebieha inicializácia zariadenia ..."), true);
    QCoreApplication::processEvents();
    const auto found = tripdesk::import::find_logger(options_.vehicles);
    if (!found) {
        show_not_found();
        return;
    }
    vyp_port->setText(QStringLiteral("COM%1").arg(found->port));
    vyp_serial->setText(QStringLiteral("ID: ") + QString::fromStdString(found->id_text));
    status(QStringLiteral("Zariadenie DLR4470 bolo úspešne nájdené na porte:"), false);
    btn_spoj->setEnabled(true);
    if (found->matched >= 0) cmb_auta->setCurrentIndex(found->matched);
}

void Tfrm_dlr4470::btn_spojClick() {
    using tripdesk::import::ImportOutcome;
    tripdesk::import::ConversionOptions conversion;
    if (options_.settings) {
        if (options_.settings->Koeficient == 0.0) options_.settings->Koeficient = 1.0;
        conversion.multiplier = options_.settings->Koeficient;
    }
    conversion.first_hour = lbl_od->text().toInt();
    conversion.last_hour = lbl_do->text().toInt();
    conversion.working_hours_only = chk_prac->isChecked();
    conversion.tag_mode = chk_znac->isChecked();
    bar_graf->setValue(0);
    pnl_alert->clear();
    std::vector<tripdesk::track::Vehicle> rows = options_.vehicles;
    if (rows.empty()) rows.push_back({"??????????", "DL-R4470", "Žiadne vozidlo !!!"});
    const auto& vehicle = rows[static_cast<size_t>(std::max(0, cmb_auta->currentIndex()))];
    btn_spoj->setEnabled(false);
    btn_zmaz->setEnabled(false);
    status(kTitle, true);

    const QString question = QStringLiteral("Potvrdte prosím správne priradenie záznamov:\r\n\r\n") +
                             vyp_serial->text() + QStringLiteral("\r\n[") +
                             QString::fromStdString(vehicle.registration) + QStringLiteral("]  ") +
                             QString::fromStdString(vehicle.description) + QStringLiteral("\r\n");
    WindowProgress progress(bar_graf, [this](const QString& text) { status(text, true); }, options_.sleep);
    tripdesk::import::ImportResult result;
    try {
        result = tripdesk::import::import_from_logger({options_.data_folder, vehicle, conversion},
                                                      [&] { return options_.ask_yes_no(this, question); }, progress);
    } catch (const tripdesk::IoError& e) {
        options_.show_message(this, QString::fromStdString(e.what()));
        return;
    }
    switch (result.outcome) {
        case ImportOutcome::NotFound:
            show_not_found();
            return;
        case ImportOutcome::Declined:
            status(QStringLiteral("Spracovanie záznamov prerušené užívateľom ..."), false);
            btn_spoj->setEnabled(true);
            return;
        case ImportOutcome::DumpFailed:
            // Nothing was converted: erasing now would lose the records.
            status(QStringLiteral("Chyba pri čítaní záznamov zo zariadenia DLR4470: %1").arg(result.dump_code), false);
            btn_spoj->setEnabled(true);
            blink_alert();
            return;
        case ImportOutcome::Done:
            break;
    }
    btn_zmaz->setEnabled(true);
    btn_spoj->setEnabled(true);
    status(QStringLiteral("Spracovanie údajov úspešne dokončené !!!"), false);
    bar_graf->setValue(0);
}

void Tfrm_dlr4470::btn_zmazClick() {
    for (QLabel* l : {lbl_vyp1, lbl_vyp2}) l->setText(QStringLiteral("Prebieha mazanie obsahu pamäti zariadenia ..."));
    QCoreApplication::processEvents();
    const std::optional<int> result = tripdesk::import::erase_logger();
    if (!result) return;
    if (*result == DLR4470_ERASED) {
        options_.show_message(this, QStringLiteral("Pamäť bola úspešne vymazaná !!!"));
    } else {
        options_.show_message(this, QStringLiteral("Chyba počas mazania pamäti: %1").arg(*result));
    }
}

namespace {

std::vector<tripdesk::track::Vehicle> vehicles_from(const tripdesk::app::IniFile& ini) {
    tripdesk::track::SectionEntries entries;
    for (const auto& [key, value] : ini.entries("CAR_LIST")) entries.push_back({key, value});
    return tripdesk::track::read_vehicle_list(entries);
}

}  // namespace

// The vehicle list is read with the settings file at the main window's first
// show, after the windows were created.
TRIPDESK_REGISTER_WINDOW(Tfrm_dlr4470, [](Tfrm_main& m) {
    auto* window = new Tfrm_dlr4470(
        tripdesk::import::ui::default_dlr4470_window_options(m.data_folder(), &m.settings().frm_dlr4470, {}));
    QObject::connect(&m, &Tfrm_main::settings_loaded, window,
                     [window, &m] { window->set_vehicles(vehicles_from(m.settings_ini())); });
    return window;
});
