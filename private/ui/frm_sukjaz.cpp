// Logic headers before Qt ones: Qt defines "slots" as a macro.
#include "private/private_logbook.h"
#include "private/private_overview.h"
#include "track/path_lookup.h"

#include "private/ui/frm_sukjaz.h"
#include "app/ui/frm_main.h"
#include "app/ui/window_registry.h"
#include "export/ui/export_dialogs.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <filesystem>

using namespace tripdesk::private_trips;
using tripdesk::ui::export_dialogs;

namespace {

QString q(const std::string& text) { return QString::fromStdString(text); }

QLabel* named_label(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    return label;
}

}  // namespace

Tfrm_sukjaz::Tfrm_sukjaz(Tfrm_main& main) : QWidget(nullptr, Qt::Window), main_(main) {
    setWindowTitle(QString::fromUtf8("Prehľad súkromných jázd"));
    resize(400, 460);

    lbl_subor = named_label("lbl_subor", this);
    str_grid = new QTableWidget(this);
    str_grid->setObjectName("str_grid");
    str_grid->setColumnCount(5);
    str_grid->setHorizontalHeaderLabels({QString::fromUtf8("Dátum:"), QString::fromUtf8("Čas:"),
                                         QString::fromUtf8("ID karty:"), QString::fromUtf8("Druh jazdy:"),
                                         QString::fromUtf8("Prejdené:")});
    const int widths[5] = {60, 55, 60, 77, 70};
    for (int c = 0; c < 5; ++c) str_grid->setColumnWidth(c, widths[c]);
    str_grid->verticalHeader()->hide();
    str_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    str_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(str_grid, &QTableWidget::cellDoubleClicked, this, [this] { str_gridDblClick(); });

    auto* totals = new QGridLayout;
    lbl_obdobie = named_label("lbl_obdobie", this);
    lbl_celkom = named_label("lbl_celkom", this);
    lbl_sukrom = named_label("lbl_sukrom", this);
    totals->addWidget(new QLabel(QString::fromUtf8("Obdobie:"), this), 0, 0);
    totals->addWidget(lbl_obdobie, 0, 1);
    totals->addWidget(new QLabel(QString::fromUtf8("Celkom:"), this), 1, 0);
    totals->addWidget(lbl_celkom, 1, 1);
    totals->addWidget(new QLabel(QString::fromUtf8("Súkromné:"), this), 2, 0);
    totals->addWidget(lbl_sukrom, 2, 1);

    chk_opt1 = new QCheckBox(QString::fromUtf8("zobraziť v zozname len súkromné jazdy (bez karty) ..."), this);
    chk_opt1->setObjectName("chk_opt1");
    chk_opt2 = new QCheckBox(QString::fromUtf8("nezobrazovať jazdy s nulovou dĺžkou ..."), this);
    chk_opt2->setObjectName("chk_opt2");
    connect(chk_opt1, &QCheckBox::clicked, this, [this] { chk_opt1Click(); });
    connect(chk_opt2, &QCheckBox::clicked, this, [this] { chk_opt2Click(); });

    btn_export = new QPushButton(QString::fromUtf8("Exportovať súkromné jazdy do KJ"), this);
    btn_export->setObjectName("btn_export");
    btn_zatvor = new QPushButton(QString::fromUtf8("Zatvoriť"), this);
    btn_zatvor->setObjectName("btn_zatvor");
    connect(btn_export, &QPushButton::clicked, this, [this] { btn_exportClick(); });
    connect(btn_zatvor, &QPushButton::clicked, this, [this] { btn_zatvorClick(); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btn_export);
    buttons->addStretch();
    buttons->addWidget(btn_zatvor);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lbl_subor);
    layout->addWidget(str_grid, 1);
    layout->addLayout(totals);
    layout->addWidget(chk_opt1);
    layout->addWidget(chk_opt2);
    layout->addLayout(buttons);

    // The filters live in the settings: fill them when the file was read.
    connect(&main_, &Tfrm_main::settings_loaded, this, [this] {
        chk_opt1->setChecked(main_.settings().frm_sukjaz.SukrOnly);
        chk_opt2->setChecked(main_.settings().frm_sukjaz.Nenulove);
    });
    chk_opt1->setChecked(main_.settings().frm_sukjaz.SukrOnly);
    chk_opt2->setChecked(main_.settings().frm_sukjaz.Nenulove);
    reset_grid();
}

void Tfrm_sukjaz::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    FormShow();
}

void Tfrm_sukjaz::reset_grid() {
    str_grid->clearContents();
    str_grid->setRowCount(1);
}

void Tfrm_sukjaz::FormShow() {
    entries_.clear();
    loaded_ = false;
    const OverviewLabels empty;
    lbl_obdobie->setText(q(empty.period));
    lbl_celkom->setText(q(empty.total));
    lbl_sukrom->setText(q(empty.private_total));
    reset_grid();

    const std::string folder = main_.current_drive();
    const auto path = folder.empty() ? std::nullopt : tripdesk::track::find_ignoring_case(folder, kEepromFileName);
    std::error_code ec;
    if (!path || !std::filesystem::is_regular_file(*path, ec)) {
        lbl_subor->setText(q(missing_label(folder)));
        btn_export->setEnabled(false);
        return;
    }
    btn_export->setEnabled(true);
    try {
        const EepromImage image = read_eeprom(*path);
        lbl_subor->setText(q(loaded_label(image.size_bytes)));
        entries_ = image.entries;
    } catch (const std::exception& e) {
        export_dialogs().error(this, tripdesk::ui::error_text(e));
        return;
    }
    const OverviewLabels labels = overview_labels(entries_);
    lbl_obdobie->setText(q(labels.period));
    lbl_celkom->setText(q(labels.total));
    lbl_sukrom->setText(q(labels.private_total));
    loaded_ = true;
    fill_grid();
}

void Tfrm_sukjaz::fill_grid() {
    if (!loaded_) return;
    reset_grid();
    const auto shown = visible_entries(entries_, {chk_opt1->isChecked(), chk_opt2->isChecked()});
    if (shown.empty()) return;
    str_grid->setRowCount(static_cast<int>(shown.size()));
    for (int r = 0; r < static_cast<int>(shown.size()); ++r) {
        const auto cells = entry_cells(shown[static_cast<size_t>(r)]);
        for (int c = 0; c < 5; ++c) str_grid->setItem(r, c, new QTableWidgetItem(q(cells[static_cast<size_t>(c)])));
    }
}

void Tfrm_sukjaz::chk_opt1Click() {
    main_.settings().frm_sukjaz.SukrOnly = chk_opt1->isChecked();
    fill_grid();
}

void Tfrm_sukjaz::chk_opt2Click() {
    main_.settings().frm_sukjaz.Nenulove = chk_opt2->isChecked();
    fill_grid();
}

void Tfrm_sukjaz::str_gridDblClick() {
    QGuiApplication::clipboard()->setText(q(clipboard_text(entries_)));
    export_dialogs().information(this, QString::fromUtf8("Zoznam bol skopírovaný do schránky !!!"));
}

void Tfrm_sukjaz::btn_exportClick() {
    const std::string label = main_.vehicle_label().toStdString();
    const QString chosen = export_dialogs().save_file(
        this, QString::fromUtf8("Súbory pre Knihu Jázd (*.TXT)|*.TXT"),
        q(main_.settings().frm_setexp.OutputDirKJ), q(proposed_private_file_name(label)));
    if (chosen.isEmpty()) return;
    try {
        export_private_trips(chosen.toStdString(), label, entries_);
    } catch (const std::exception& e) {
        export_dialogs().error(this, tripdesk::ui::error_text(e));
    }
}

void Tfrm_sukjaz::btn_zatvorClick() { close(); }

TRIPDESK_REGISTER_WINDOW(Tfrm_sukjaz, [](Tfrm_main& m) -> QWidget* { return new Tfrm_sukjaz(m); });
