#include "export/ui/frm_setexp.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include "app/settings_labels.h"
#include "app/ui/frm_main.h"
#include "app/ui/window_registry.h"
#include "export/ui/up_down.h"

namespace {

constexpr const char* kResetQuestion =
    "Všetky aktuálne nastavenia budú prepísané ...\nSkutočne si prajete obnoviť pôvodné nastavenia ?";

// Design values, shown until the settings are loaded, and the reset values.
constexpr int kDesignPres0 = 130;
constexpr int kDesignPres1 = 60;
constexpr int kDesignPres2 = 100;
constexpr int kDesignZast2 = 110;
constexpr int kResetPres0 = 130;
constexpr int kResetPres1 = 20;

QLabel* named_label(const char* name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

QString q(const std::string& s) { return QString::fromStdString(s); }

// A coloured caption over its white copy one pixel below and right.
void add_shadowed(QGridLayout* grid, int row, QLabel* caption, QLabel* shadow) {
    caption->setStyleSheet("color: rgb(31, 94, 139); font-weight: bold;");
    shadow->setStyleSheet("color: white; font-weight: bold; padding-left: 1px; padding-top: 1px;");
    grid->addWidget(shadow, row, 0, 1, 4);
    grid->addWidget(caption, row, 0, 1, 4);
    caption->raise();
}

}  // namespace

Tfrm_setexp::Tfrm_setexp(Tfrm_main& main) : QWidget(nullptr, Qt::Window), main_(main) {
    setObjectName("Tfrm_setexp");
    setWindowTitle("Nastavenia pre export záznamov");
    auto* grid = new QGridLayout(this);
    const auto folders = tripdesk::app::default_folders(main.options().user_home);

    const char* kj_caption = "Formát pre Knihu Jázd (Speedy, Autoplan, Autopark):";
    lbl_vyp0 = named_label("lbl_vyp0", kj_caption, this);
    lbl_vyp0s = named_label("lbl_vyp0s", kj_caption, this);
    lbl_vyp1 = named_label("lbl_vyp1", "Formát KML (Google Earth):", this);
    lbl_vyp1s = named_label("lbl_vyp1s", "Formát KML (Google Earth):", this);
    lbl_vyp3 = named_label("lbl_vyp3", "Formát HTML a CSV (Google Maps):", this);
    lbl_vyp2 = named_label("lbl_vyp2", "Databázy Knihy Jázd MRP:", this);

    // One block per output: caption, folder with chooser and e-mail box, resolution.
    const QString design_folders[4] = {q(folders.logbook_output), q(folders.kml_output), q(folders.mrp_design),
                                       q(folders.html_output)};
    const int block_row[4] = {0, 3, 9, 6};
    for (int i = 0; i < 4; ++i) {
        edt_dir[i] = new QLineEdit(design_folders[i], this);
        edt_dir[i]->setObjectName(QString("edt_dir%1").arg(i));
        edt_dir[i]->setReadOnly(true);
        btn_dir[i] = new QPushButton("...", this);
        btn_dir[i]->setObjectName(QString("btn_dir%1").arg(i));
        btn_dir[i]->setFixedWidth(30);
        grid->addWidget(edt_dir[i], block_row[i] + 1, 0, 1, 2);
        grid->addWidget(btn_dir[i], block_row[i] + 1, 2);
        connect(btn_dir[i], &QPushButton::clicked, this, [this, i] { VyberAdresaru(i); });
    }
    add_shadowed(grid, 0, lbl_vyp0, lbl_vyp0s);
    add_shadowed(grid, 3, lbl_vyp1, lbl_vyp1s);
    grid->addWidget(lbl_vyp3, 6, 0, 1, 4);
    grid->addWidget(lbl_vyp2, 9, 0, 1, 4);
    const int mail_row[3] = {1, 4, 7};
    for (int i = 0; i < 3; ++i) {
        chk_mail[i] = new QCheckBox("kópia na email", this);
        chk_mail[i]->setObjectName(QString("chk_mail%1").arg(i));
        grid->addWidget(chk_mail[i], mail_row[i], 3);
    }

    scr_pres0 = add_scroll_row(grid, 2, "scr_pres0", "lbl_pres0", 1, 500, kDesignPres0, &lbl_pres0);
    scr_pres0->setPageStep(100);
    scr_pres1 = add_scroll_row(grid, 5, "scr_pres1", "lbl_pres1", 1, 500, kDesignPres1, &lbl_pres1);
    scr_pres2 = add_scroll_row(grid, 8, "scr_pres2", "lbl_pres2", 1, 900, kDesignPres2, &lbl_pres2);
    scr_zast2 = add_scroll_row(grid, 12, "scr_zast2", "lbl_zast2", 10, 900, kDesignZast2, &lbl_zast2);
    grid->addWidget(named_label("lbl_zast2pozn", "<= min. zastavenie", this), 12, 3);

    grid->addWidget(named_label("lbl_posuncap", "Posunúť GPS čas pri prevode (letný/zimný):", this), 11, 0, 1, 2);
    btn_updown = new HorizontalUpDown(-24, 24, this);
    btn_updown->setObjectName("btn_updown");
    lbl_posun = named_label("lbl_posun", "", this);
    grid->addWidget(btn_updown, 11, 2);
    grid->addWidget(lbl_posun, 11, 3);
    connect(btn_updown, &HorizontalUpDown::clicked, this, [this] {
        main_.settings().frm_setexp.TimeOffMRP = btn_updown->position();
        VypisPosun();
    });

    chk_sluz = new QCheckBox("ignorovať súkromné jazdy", this);
    chk_sluz->setObjectName("chk_sluz");
    chk_krat = new QCheckBox("ignorovať jazdy kratšie ako 300m", this);
    chk_krat->setObjectName("chk_krat");
    grid->addWidget(chk_sluz, 13, 0, 1, 2);
    grid->addWidget(chk_krat, 13, 2, 1, 2);

    btn_ulozit = new QPushButton("Obnoviť pôvodné nastavenia programu ...", this);
    btn_ulozit->setObjectName("btn_ulozit");
    btn_zatvor = new QPushButton("Zatvoriť", this);
    btn_zatvor->setObjectName("btn_zatvor");
    grid->addWidget(btn_ulozit, 14, 0, 1, 2);
    grid->addWidget(btn_zatvor, 14, 3);
    grid->setColumnStretch(0, 1);
    connect(btn_ulozit, &QPushButton::clicked, this, &Tfrm_setexp::btn_ulozitClick);
    connect(btn_zatvor, &QPushButton::clicked, this, &QWidget::close);

    // Every control writes its setting at once: the exports read the settings object.
    auto& s = main_.settings().frm_setexp;
    connect(scr_pres0, &QScrollBar::valueChanged, this, [&s, this](int v) { s.ResolutionKJ = v; update_scroll_labels(); });
    connect(scr_pres1, &QScrollBar::valueChanged, this, [&s, this](int v) { s.ResolutionKML = v; update_scroll_labels(); });
    connect(scr_pres2, &QScrollBar::valueChanged, this, [&s, this](int v) { s.ResolutionHTML = v; update_scroll_labels(); });
    connect(scr_zast2, &QScrollBar::valueChanged, this, [&s, this](int v) { s.ZastaveniaHTML = v; update_scroll_labels(); });
    connect(chk_mail[0], &QCheckBox::toggled, this, [&s](bool on) { s.EmailKJ = on; });
    connect(chk_mail[1], &QCheckBox::toggled, this, [&s](bool on) { s.EmailKML = on; });
    connect(chk_mail[2], &QCheckBox::toggled, this, [&s](bool on) { s.EmailHTML = on; });
    connect(chk_sluz, &QCheckBox::toggled, this, [&s](bool on) { s.IgnoreSluz = on; });
    connect(chk_krat, &QCheckBox::toggled, this, [&s](bool on) { s.IgnoreKrat = on; });

    update_scroll_labels();
    VypisPosun();
    connect(&main, &Tfrm_main::settings_loaded, this, &Tfrm_setexp::load_from_settings);
}

QScrollBar* Tfrm_setexp::add_scroll_row(QGridLayout* grid, int row, const char* name, const char* label_name,
                                        int minimum, int maximum, int value, QLabel** label) {
    auto* bar = new QScrollBar(Qt::Horizontal, this);
    bar->setObjectName(name);
    bar->setRange(minimum, maximum);
    bar->setValue(value);
    *label = named_label(label_name, "", this);
    (*label)->setMinimumWidth(60);
    grid->addWidget(bar, row, 0, 1, 2);
    grid->addWidget(*label, row, 2, 1, 1);
    return bar;
}

void Tfrm_setexp::load_from_settings() {
    // Each control writes its setting back when it changes; a copy keeps the
    // values while the controls are filled one by one.
    const auto values = main_.settings().frm_setexp;
    scr_pres0->setValue(values.ResolutionKJ);
    scr_pres1->setValue(values.ResolutionKML);
    scr_pres2->setValue(values.ResolutionHTML);
    scr_zast2->setValue(values.ZastaveniaHTML);
    set_folder(0, q(values.OutputDirKJ));
    set_folder(1, q(values.OutputDirKML));
    set_folder(2, q(values.DatabasesMRP));
    set_folder(3, q(values.OutputDirHTML));
    chk_mail[0]->setChecked(values.EmailKJ);
    chk_mail[1]->setChecked(values.EmailKML);
    chk_mail[2]->setChecked(values.EmailHTML);
    chk_sluz->setChecked(values.IgnoreSluz);
    chk_krat->setChecked(values.IgnoreKrat);
    btn_updown->set_position(values.TimeOffMRP);
    // A hand-edited value outside a control's range becomes what the control shows.
    auto& s = main_.settings().frm_setexp;
    s.ResolutionKJ = scr_pres0->value();
    s.ResolutionKML = scr_pres1->value();
    s.ResolutionHTML = scr_pres2->value();
    s.ZastaveniaHTML = scr_zast2->value();
    s.TimeOffMRP = btn_updown->position();
    s.EmailKJ = chk_mail[0]->isChecked();
    s.EmailKML = chk_mail[1]->isChecked();
    s.EmailHTML = chk_mail[2]->isChecked();
    s.IgnoreSluz = chk_sluz->isChecked();
    s.IgnoreKrat = chk_krat->isChecked();
    update_scroll_labels();
    VypisPosun();
}

void Tfrm_setexp::update_scroll_labels() {
    using namespace tripdesk::app;
    lbl_pres0->setText(q(resolution_label(scr_pres0->value())));
    lbl_pres1->setText(q(resolution_label(scr_pres1->value())));
    lbl_pres2->setText(q(resolution_label(scr_pres2->value())));
    lbl_zast2->setText(q(stop_label(scr_zast2->value())));
}

void Tfrm_setexp::VypisPosun() { lbl_posun->setText(q(tripdesk::app::time_shift_label(btn_updown->position()))); }

void Tfrm_setexp::set_folder(int i, const QString& folder) {
    edt_dir[i]->setText(folder);
    auto& s = main_.settings().frm_setexp;
    std::string* targets[4] = {&s.OutputDirKJ, &s.OutputDirKML, &s.DatabasesMRP, &s.OutputDirHTML};
    *targets[i] = folder.toStdString();
}

void Tfrm_setexp::VyberAdresaru(int i) {
    const QLabel* captions[4] = {lbl_vyp0, lbl_vyp1, lbl_vyp2, lbl_vyp3};
    const auto& choose = main_.options().choose_folder;
    if (!choose) return;
    const QString folder = choose(this, captions[i]->text(), edt_dir[i]->text());
    if (!folder.isEmpty()) set_folder(i, folder);
}

void Tfrm_setexp::btn_ulozitClick() {
    const auto& ask = main_.options().ask_ok_cancel;
    if (!ask || !ask(this, kResetQuestion)) return;
    const auto folders = tripdesk::app::default_folders(main_.options().user_home);
    scr_pres0->setValue(kResetPres0);
    scr_pres1->setValue(kResetPres1);
    set_folder(0, q(folders.logbook_output));
    set_folder(1, q(folders.kml_output));
    set_folder(2, q(folders.mrp_databases_reset));
    btn_updown->set_position(0);
    main_.settings().frm_setexp.TimeOffMRP = 0;
    update_scroll_labels();
    VypisPosun();
}

void Tfrm_setexp::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    FormShow();
}

void Tfrm_setexp::FormShow() {
    lbl_vyp0s->setText(lbl_vyp0->text());
    lbl_vyp1s->setText(lbl_vyp1->text());
    VypisPosun();
}

TRIPDESK_REGISTER_WINDOW(Tfrm_setexp, [](Tfrm_main& m) { return new Tfrm_setexp(m); });
