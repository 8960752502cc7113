// Logic headers before Qt ones: Qt defines "slots" as a macro.
#include "analysis/place_search.h"
#include "analysis/record_save.h"
#include "track/path_lookup.h"

#include "analysis/ui/frm_nmea.h"
#include "analysis/ui/record_table_model.h"
#include "app/ui/frm_main.h"
#include "app/ui/window_registry.h"
#include "export/ui/export_dialogs.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

using tripdesk::ui::export_dialogs;
namespace analysis = tripdesk::analysis;

namespace {

QString q(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

Tfrm_nmea::Tfrm_nmea(Tfrm_main& main) : QWidget(nullptr, Qt::Window), main_(main) {
    setWindowTitle(QString::fromUtf8("Podrobná analýza binárneho GPS záznamu"));
    resize(960, 600);

    model_ = new RecordTableModel(this);
    model_->set_analysis(&analysis_);
    str_grid = new QTableView(this);
    str_grid->setObjectName("str_grid");
    str_grid->setModel(model_);
    str_grid->verticalHeader()->hide();
    str_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    str_grid->setSelectionMode(QAbstractItemView::ContiguousSelection);
    str_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);

    auto* figures = new QGridLayout;
    const char* captions[6] = {"Otvorený súbor:",      "Podozrivé záznamy:",
                               "Výpadky GPS signálu:", "Priemerná kvalita signálu:",
                               "Maximálna (priemerná) rýchlosť:", "Počet rozdelení záznamu:"};
    const char* names[6] = {"lbl_nazov", "lbl_podoz", "lbl_vypsg", "lbl_hodsg", "lbl_rychl", "lbl_newjz"};
    QLabel** labels[6] = {&lbl_nazov, &lbl_podoz, &lbl_vypsg, &lbl_hodsg, &lbl_rychl, &lbl_newjz};
    for (int i = 0; i < 6; ++i) {
        *labels[i] = new QLabel(this);
        (*labels[i])->setObjectName(names[i]);
        figures->addWidget(new QLabel(QString::fromUtf8(captions[i]), this), i % 3, (i / 3) * 2);
        figures->addWidget(*labels[i], i % 3, (i / 3) * 2 + 1);
    }

    btn_save = new QPushButton(QString::fromUtf8("Uložiť záznam ako CSV ..."), this);
    btn_save->setObjectName("btn_save");
    btn_save1 = new QPushButton(QString::fromUtf8("TXT"), this);
    btn_save1->setObjectName("btn_save1");
    btn_zatvor = new QPushButton(QString::fromUtf8("Zatvoriť"), this);
    btn_zatvor->setObjectName("btn_zatvor");
    img_hladaj = new QToolButton(this);
    img_hladaj->setObjectName("img_hladaj");
    img_hladaj->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    img_hladaj->setAutoRaise(true);
    pnl_mesto = new QLabel(this);
    pnl_mesto->setObjectName("pnl_mesto");
    pnl_mesto->setFrameShape(QFrame::Panel);
    pnl_mesto->setFrameShadow(QFrame::Sunken);
    pnl_mesto->setMinimumWidth(220);
    connect(btn_save, &QPushButton::clicked, this, [this] { btn_saveClick(btn_save); });
    connect(btn_save1, &QPushButton::clicked, this, [this] { btn_saveClick(btn_save1); });
    connect(btn_zatvor, &QPushButton::clicked, this, [this] { btn_zatvorClick(); });
    connect(img_hladaj, &QToolButton::clicked, this, [this] { img_hladajClick(); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(img_hladaj);
    buttons->addWidget(pnl_mesto);
    buttons->addStretch();
    buttons->addWidget(btn_save);
    buttons->addWidget(btn_save1);
    buttons->addWidget(btn_zatvor);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(str_grid, 1);
    layout->addLayout(figures);
    layout->addLayout(buttons);
}

void Tfrm_nmea::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    FormShow();
}

void Tfrm_nmea::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    set_column_widths();
}

void Tfrm_nmea::set_column_widths() {
    const auto widths = analysis::column_widths(str_grid->width());
    for (int c = 0; c < analysis::kColumnCount; ++c) str_grid->setColumnWidth(c, widths[static_cast<size_t>(c)]);
}

void Tfrm_nmea::FormShow() {
    const auto rows = main_.selected_rows();
    const std::string name = rows.empty() ? std::string() : rows.front().file_name;
    analysis_ = analysis::RecordAnalysis{};
    analysis_.file_name = name;
    try {
        if (!name.empty()) {
            const auto& s = main_.settings().frm_main;
            analysis_ = analysis::analyze_day_file_records(
                tripdesk::track::resolve_ignoring_case(main_.current_drive(), name), name,
                {s.Koeficient, s.Force20byte});
        }
    } catch (const std::exception& e) {
        analysis_ = analysis::RecordAnalysis{};
        export_dialogs().error(this, tripdesk::ui::error_text(e));
    }
    model_->set_analysis(&analysis_);
    set_column_widths();
    const auto texts = analysis::figure_texts(analysis_);
    QLabel* labels[6] = {lbl_nazov, lbl_podoz, lbl_vypsg, lbl_hodsg, lbl_rychl, lbl_newjz};
    for (int i = 0; i < 6; ++i) labels[i]->setText(q(texts[static_cast<size_t>(i)]));
}

void Tfrm_nmea::btn_saveClick(QPushButton* sender) {
    const auto& s = main_.settings();
    const QString chosen = export_dialogs().save_file(
        this, QString::fromUtf8("Textové hodnoty s oddeľovačom (*.CSV)|*.CSV"), q(s.frm_setexp.OutputDirHTML),
        q(analysis::proposed_save_name(main_.vehicle_label().toStdString(), analysis_.file_name)));
    if (chosen.isEmpty()) return;
    try {
        if (sender == btn_save1)
            analysis::save_txt(chosen.toStdString(), analysis_, s.frm_main.CisloDel);
        else
            analysis::save_csv(chosen.toStdString(), analysis_, s.frm_main.DatumDel);
    } catch (const std::exception& e) {
        export_dialogs().error(this, tripdesk::ui::error_text(e));
    }
}

void Tfrm_nmea::img_hladajClick() {
    if (analysis_.records.empty()) {
        pnl_mesto->setText(q(analysis::kNoTracklogText));
        return;
    }
    pnl_mesto->setText(QString::fromUtf8(analysis::kSearchingText));
    pnl_mesto->repaint();
    const int row = std::max(str_grid->currentIndex().row(), 0);
    try {
        pnl_mesto->setText(q(analysis::nearest_place_name(main_.settings().frm_setexp.OutputDirKJ,
                                                          analysis_.records[static_cast<size_t>(row)])));
    } catch (const std::exception& e) {
        export_dialogs().error(this, tripdesk::ui::error_text(e));
    }
}

void Tfrm_nmea::btn_zatvorClick() { close(); }

TRIPDESK_REGISTER_WINDOW(Tfrm_nmea, [](Tfrm_main& m) -> QWidget* { return new Tfrm_nmea(m); });
