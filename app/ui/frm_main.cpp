// The main window's controls and their layout.
#include "app/ui/frm_main.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLinearGradient>
#include <QListWidget>
#include <QPainter>
#include <QProgressBar>
#include <QStatusBar>
#include <QStyle>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>

#include "app/settings_file.h"

namespace {

// The totals panel's width beside the speed chart: the frame shp_ram03 starts
// this far from the left of shp_ram04.
constexpr int kTotalsWidth = 236;
constexpr int kBottomStripHeight = 112;
constexpr int kLeftPanelWidth = 260;

QLabel* make_label(const QString& name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

}  // namespace

Tfrm_main::Tfrm_main(MainWindowOptions options, QWidget* parent)
    : QMainWindow(parent), options_(std::move(options)) {
    setObjectName("Tfrm_main");
    settings_path_ = options_.settings_path.empty() ? options_.data_folder + tripdesk::app::kSettingsFileName
                                                    : options_.settings_path;
    settings_ = tripdesk::app::default_settings(options_.user_home);
    strings_ = tripdesk::app::lng_ReloadStrings(language_);
    setWindowTitle("MARVEK7 Tripdesk");
    setGeometry(tripdesk::app::kDesignFormLeft, tripdesk::app::kDesignFormTop, tripdesk::app::kDesignFormWidth,
                tripdesk::app::kDesignFormHeight);

    auto* central = new QWidget(this);
    auto* row = new QHBoxLayout(central);
    row->setContentsMargins(4, 4, 4, 4);
    left_panel_ = new QWidget(central);
    left_panel_->setObjectName("pnl_left");
    left_panel_->setFixedWidth(kLeftPanelWidth);
    right_panel_ = new QWidget(central);
    right_panel_->setObjectName("pnl_right");
    row->addWidget(left_panel_);
    row->addWidget(right_panel_, 1);
    setCentralWidget(central);
    build_left_panel(left_panel_);
    build_right_panel(right_panel_);
    build_menu();

    for (int i = 0; i < 3; ++i) {
        status_panels_[i] = new QLabel(this);
        status_panels_[i]->setObjectName(QString("pnl_status%1").arg(i));
    }
    status_panels_[0]->setMinimumWidth(70);
    status_panels_[1]->setMinimumWidth(180);
    statusBar()->addWidget(status_panels_[0]);
    statusBar()->addWidget(status_panels_[1]);
    statusBar()->addWidget(status_panels_[2], 1);

    tmr_hodiny = new QTimer(this);
    tmr_hodiny->setObjectName("tmr_hodiny");
    tmr_hodiny->setInterval(1000);
    connect(tmr_hodiny, &QTimer::timeout, this, [this] { tmr_hodinyTimer(); });
}

Tfrm_main::~Tfrm_main() { destroy_secondary_windows(); }

void Tfrm_main::build_left_panel(QWidget* panel) {
    // The calendar is placed by hand: the first show centres it in the panel.
    cal_month = new QCalendarWidget(panel);
    cal_month->setObjectName("cal_month");
    cal_month->setVerticalHeaderFormat(QCalendarWidget::ISOWeekNumbers);
    cal_month->setGridVisible(false);
    cal_month->resize(kLeftPanelWidth - 8, 190);
    cal_month->move(4, 0);
    connect(cal_month, &QCalendarWidget::clicked, this, &Tfrm_main::on_calendar_clicked);

    chk_aktmes = new QCheckBox("zobrazovať len aktuálny mesiac ...", panel);
    chk_aktmes->setObjectName("chk_aktmes");
    chk_aktmes->setGeometry(6, 196, kLeftPanelWidth - 12, 22);
    connect(chk_aktmes, &QCheckBox::toggled, this, [this](bool on) { settings_.frm_main.ActMonthOnly = on; });
    connect(chk_aktmes, &QCheckBox::clicked, this, [this] { dispatch("chk_aktmesClick"); });

    img_drvico = new QToolButton(panel);
    img_drvico->setObjectName("img_drvico");
    img_drvico->setIcon(style()->standardIcon(QStyle::SP_DriveFDIcon));
    img_drvico->setIconSize(QSize(32, 32));
    img_drvico->setAutoRaise(true);
    img_drvico->setGeometry(4, 226, 40, 40);
    connect(img_drvico, &QToolButton::clicked, this, [this] { dispatch("fill_drive_list"); });

    lst_drvzozn = new QListWidget(panel);
    lst_drvzozn->setObjectName("lst_drvzozn");
    lst_drvzozn->setGeometry(48, 224, kLeftPanelWidth - 52, 90);
    connect(lst_drvzozn, &QListWidget::itemClicked, this, [this] { dispatch("lst_drvzoznClick"); });
    lst_temp = new QListWidget(panel);
    lst_temp->setObjectName("lst_temp");
    lst_temp->hide();

    const char* captions[5] = {"Disk label:", "Free space:", "Total space:", "Serial number:", "File system:"};
    for (int i = 0; i < 5; ++i) {
        const int y = 322 + i * 20;
        auto* caption = make_label(QString("lbl_inf%1").arg(i, 2, 10, QChar('0')), captions[i], panel);
        caption->setGeometry(6, y, 104, 18);
        vyp_inf[i] = make_label(QString("vyp_inf%1").arg(i, 2, 10, QChar('0')), "", panel);
        vyp_inf[i]->setGeometry(112, y, kLeftPanelWidth - 116, 18);
        QFont bold = vyp_inf[i]->font();
        bold.setBold(true);
        vyp_inf[i]->setFont(bold);
    }

    img_grda = make_label("img_grda", "", panel);
}

void Tfrm_main::build_right_panel(QWidget* panel) {
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);
    lbl_nadpis = make_label("lbl_nadpis", "Prehľad záznamov na pamäťovej karte:", panel);
    QFont heading = lbl_nadpis->font();
    heading.setBold(true);
    lbl_nadpis->setFont(heading);
    column->addWidget(lbl_nadpis);

    str_grid = new QTableWidget(1, 6, panel);
    str_grid->setObjectName("str_grid");
    str_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    str_grid->setSelectionMode(QAbstractItemView::ContiguousSelection);
    str_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    str_grid->verticalHeader()->hide();
    str_grid->verticalHeader()->setDefaultSectionSize(20);
    str_grid->horizontalHeader()->setStretchLastSection(false);
    str_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    column->addWidget(str_grid, 1);
    connect(str_grid, &QTableWidget::cellClicked, this, [this] { dispatch("str_gridClick"); });
    connect(str_grid, &QTableWidget::cellDoubleClicked, this, [this] { dispatch("str_gridDblClick"); });

    // The progress panel floats over the grid; UkazLoadNadpis centres it.
    pnl_loads = new QFrame(panel);
    pnl_loads->setObjectName("pnl_loads");
    pnl_loads->setFrameShape(QFrame::Panel);
    pnl_loads->setFrameShadow(QFrame::Raised);
    pnl_loads->setAutoFillBackground(true);
    pnl_loads->resize(360, 78);
    auto* load_layout = new QVBoxLayout(pnl_loads);
    // lbl_stav1 is the title's shadow, lbl_stav0 the title itself.
    auto* title_box = new QWidget(pnl_loads);
    title_box->setFixedHeight(22);
    lbl_stav1 = make_label("lbl_stav1", "", title_box);
    lbl_stav1->setStyleSheet("color: white;");
    lbl_stav1->setGeometry(1, 1, 340, 20);
    lbl_stav0 = make_label("lbl_stav0", "", title_box);
    lbl_stav0->setStyleSheet("color: rgb(31, 94, 139);");
    lbl_stav0->setGeometry(0, 0, 340, 20);
    QFont title_font = lbl_stav0->font();
    title_font.setBold(true);
    lbl_stav0->setFont(title_font);
    lbl_stav1->setFont(title_font);
    prg_stav = new QProgressBar(pnl_loads);
    prg_stav->setObjectName("prg_stav");
    prg_stav->setTextVisible(false);
    load_layout->addWidget(title_box);
    load_layout->addWidget(prg_stav);
    pnl_loads->hide();

    bottom_strip_ = new QWidget(panel);
    bottom_strip_->setFixedHeight(kBottomStripHeight + 22);
    column->addWidget(bottom_strip_);
    shp_ram04 = new QFrame(bottom_strip_);
    shp_ram04->setObjectName("shp_ram04");
    shp_ram04->setFrameShape(QFrame::Box);
    totals_panel_ = new QWidget(shp_ram04);
    totals_panel_->setObjectName("pnl_prejd");
    const char* captions[3][2] = {{"Label2", "Celkom:"}, {"Label3", "Vybrané:"}, {"Label1", "Súkromné:"}};
    QLabel** values[3] = {&lbl_prejd0, &lbl_prejd1, &lbl_prejd2};
    for (int i = 0; i < 3; ++i) {
        auto* caption = make_label(captions[i][0], captions[i][1], totals_panel_);
        caption->setGeometry(8, 8 + i * 24, 110, 20);
        *values[i] = make_label(QString("lbl_prejd%1").arg(i), "0.0 km", totals_panel_);
        (*values[i])->setGeometry(120, 8 + i * 24, 104, 20);
        (*values[i])->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        QFont bold = (*values[i])->font();
        bold.setBold(true);
        (*values[i])->setFont(bold);
    }
    shp_ram03 = new QFrame(shp_ram04);
    shp_ram03->setObjectName("shp_ram03");
    shp_ram03->setFrameShape(QFrame::Box);
    img_tgrf = make_label("img_tgrf", "", shp_ram04);
    img_tgrf->setAutoFillBackground(true);
    img_tgrf->setBackgroundRole(QPalette::Base);
    lbl_pocjaz = make_label("lbl_pocjaz", "Počet záznamov: 0 (vybraných: 0)", bottom_strip_);
}

void Tfrm_main::lay_out_bottom_strip() {
    const int width = bottom_strip_->width();
    shp_ram04->setGeometry(0, 0, width, kBottomStripHeight);
    totals_panel_->setGeometry(1, 1, kTotalsWidth - 2, kBottomStripHeight - 2);
    shp_ram03->setGeometry(kTotalsWidth, 0, shp_ram04->width() - 236, kBottomStripHeight);
    img_tgrf->setGeometry(kTotalsWidth + 1, 1, shp_ram04->width() - 238, kBottomStripHeight - 2);
    lbl_pocjaz->setGeometry(2, kBottomStripHeight + 2, width - 4, 18);
}

void Tfrm_main::paint_gradient() {
    const int top = lst_drvzozn->geometry().bottom() + 112;
    const int height = std::max(8, left_panel_->height() - top);
    img_grda->setGeometry(0, top, left_panel_->width(), height);
    QPixmap pixmap(img_grda->size());
    QPainter painter(&pixmap);
    QLinearGradient gradient(0, 0, 0, height);
    gradient.setColorAt(0, Qt::white);
    gradient.setColorAt(1, QColor(31, 94, 139));
    painter.fillRect(pixmap.rect(), gradient);
    painter.end();
    img_grda->setPixmap(pixmap);
}

void Tfrm_main::DesignCols() {
    using namespace tripdesk::app;
    const double u = (str_grid->width() - 30) / 14.0;
    const double factors[6] = {1.7, 2, 3.5, 1.8, 1.8, 3};
    const StringSlot headings[6] = {tab00, tab01, tab02, tab03, tab04, tab05};
    QStringList labels;
    for (int col = 0; col < 6; ++col) {
        // nearbyint rounds halves to the even neighbour.
        str_grid->setColumnWidth(col, static_cast<int>(std::nearbyint(u * factors[col])));
        labels << string(headings[col]);
    }
    str_grid->setHorizontalHeaderLabels(labels);
}

QString Tfrm_main::string(tripdesk::app::StringSlot slot) const { return QString::fromStdString(strings_[slot]); }

QAction* Tfrm_main::menu_item(const QString& name) const {
    const auto it = menu_items_.find(name);
    return it == menu_items_.end() ? nullptr : it->second;
}

void Tfrm_main::set_status(const QString& text) { status_panels_[2]->setText(text); }

QString Tfrm_main::status_text(int panel) const {
    return (panel >= 0 && panel < 3) ? status_panels_[panel]->text() : QString();
}
