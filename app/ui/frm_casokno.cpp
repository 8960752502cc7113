#include "app/ui/frm_casokno.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>

#include "app/ui/frm_main.h"
#include "app/ui/window_registry.h"
#include "export/ui/html_export_window.h"
#include "track/time_windows.h"

Tfrm_casokno::Tfrm_casokno(Tfrm_main& main)
    : QWidget(nullptr, Qt::Window),
      main_(main),
      run_export_([](Tfrm_main& m, const tripdesk::TimeWindow& w) { tripdesk::ui::GenerujHTML(m, w); }) {
    setObjectName("Tfrm_casokno");
    setWindowTitle(QString::fromUtf8("Časové okno"));
    resize(300, 280);
    auto* grid = new QGridLayout(this);
    lst_okna = new QListWidget(this);
    lst_okna->setObjectName("lst_okna");
    txt_okn1 = new QLineEdit(this);
    txt_okn1->setObjectName("txt_okn1");
    txt_okn1->setMaxLength(8);
    txt_okn2 = new QLineEdit(this);
    txt_okn2->setObjectName("txt_okn2");
    txt_okn2->setMaxLength(8);
    auto* dash = new QLabel("-", this);
    dash->setAlignment(Qt::AlignCenter);
    btn_okno = new QPushButton(QString::fromUtf8("Použiť časové okno ..."), this);
    btn_okno->setObjectName("btn_okno");
    btn_cely = new QPushButton(QString::fromUtf8("Spracovať celý deň ..."), this);
    btn_cely->setObjectName("btn_cely");
    grid->addWidget(lst_okna, 0, 0, 1, 3);
    grid->addWidget(txt_okn1, 1, 0);
    grid->addWidget(dash, 1, 1);
    grid->addWidget(txt_okn2, 1, 2);
    grid->addWidget(btn_okno, 2, 0, 1, 3);
    grid->addWidget(btn_cely, 3, 0, 1, 3);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(2, 1);
    connect(lst_okna, &QListWidget::itemClicked, this, &Tfrm_casokno::lst_oknaClick);
    connect(lst_okna, &QListWidget::currentRowChanged, this, &Tfrm_casokno::lst_oknaClick);
    connect(btn_okno, &QPushButton::clicked, this, &Tfrm_casokno::btn_oknoClick);
    connect(btn_cely, &QPushButton::clicked, this, &Tfrm_casokno::btn_celyClick);
}

void Tfrm_casokno::set_time_windows(std::vector<std::string> windows) { windows_ = std::move(windows); }

void Tfrm_casokno::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

// A list that already holds every window keeps its entries and selection
// from the last opening.
void Tfrm_casokno::FormShow() {
    if (lst_okna->count() != static_cast<int>(windows_.size())) {
        const QSignalBlocker quiet(lst_okna);
        lst_okna->clear();
        for (const std::string& w : windows_) lst_okna->addItem(QString::fromStdString(w));
        if (lst_okna->count() > 0) lst_okna->setCurrentRow(0);
    }
    lst_oknaClick();
}

void Tfrm_casokno::lst_oknaClick() {
    const QListWidgetItem* item = lst_okna->currentItem();
    if (!item) return;
    const std::string window = item->text().toStdString();
    txt_okn1->setText(QString::fromStdString(tripdesk::track::time_window_start(window)));
    txt_okn2->setText(QString::fromStdString(tripdesk::track::time_window_end(window)));
}

void Tfrm_casokno::btn_oknoClick() {
    const tripdesk::TimeWindow window{txt_okn1->text().toStdString(), txt_okn2->text().toStdString()};
    close();
    run_export_(main_, window);
}

void Tfrm_casokno::btn_celyClick() {
    txt_okn1->setText(QString::fromUtf8(tripdesk::kWholeDayWindow));
    txt_okn2->setText(QString::fromUtf8(tripdesk::kWholeDayWindow));
    close();
    run_export_(main_, tripdesk::TimeWindow{});
}

namespace {

std::vector<std::string> time_windows_from(const tripdesk::app::IniFile& ini) {
    tripdesk::track::SectionEntries entries;
    for (const auto& [key, value] : ini.entries("CAS_OKNO")) entries.push_back({key, value});
    return tripdesk::track::read_time_windows(entries);
}

}  // namespace

// The time windows are read with the settings file at the main window's
// first show, after the windows were created.
TRIPDESK_REGISTER_WINDOW(Tfrm_casokno, [](Tfrm_main& m) {
    auto* window = new Tfrm_casokno(m);
    QObject::connect(&m, &Tfrm_main::settings_loaded, window,
                     [window, &m] { window->set_time_windows(time_windows_from(m.settings_ini())); });
    return window;
});
