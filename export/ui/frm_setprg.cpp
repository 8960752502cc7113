#include "export/ui/frm_setprg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>

#include "app/languages.h"
#include "app/ui/frm_main.h"
#include "app/ui/window_registry.h"

namespace {

QLabel* named_label(const char* name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

QLineEdit* named_edit(const char* name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    return edit;
}

// A small flag of horizontal stripes for the language list.
QIcon flag(std::initializer_list<QColor> stripes) {
    QPixmap pixmap(24, 16);
    QPainter painter(&pixmap);
    const int n = static_cast<int>(stripes.size());
    int i = 0;
    for (const QColor& colour : stripes) {
        painter.fillRect(QRect(0, i * 16 / n, 24, 16 / n + 1), colour);
        ++i;
    }
    painter.setPen(Qt::gray);
    painter.drawRect(0, 0, 23, 15);
    painter.end();
    return QIcon(pixmap);
}

}  // namespace

Tfrm_setprg::Tfrm_setprg(Tfrm_main& main) : QWidget(nullptr, Qt::Window), main_(main) {
    setObjectName("Tfrm_setprg");
    setWindowTitle("Nastavenia programu");
    auto* grid = new QGridLayout(this);

    lbl_vyp00 = named_label("lbl_vyp00", "Please select your language:", this);
    lbl_vyp01 = named_label("lbl_vyp01", "Please select your language:", this);
    lbl_vyp00->setStyleSheet("color: rgb(31, 94, 139); font-weight: bold;");
    lbl_vyp01->setStyleSheet("color: white; font-weight: bold; padding-left: 1px; padding-top: 1px;");
    grid->addWidget(lbl_vyp01, 0, 0, 1, 3);
    grid->addWidget(lbl_vyp00, 0, 0, 1, 3);
    lbl_vyp00->raise();
    cmb_langs = new QComboBox(this);
    cmb_langs->setObjectName("cmb_langs");
    const QIcon flags[4] = {
        flag({Qt::white, QColor(11, 78, 162), QColor(238, 28, 37)}),
        flag({Qt::white, QColor(215, 20, 26)}),
        flag({QColor(1, 33, 105), Qt::white, QColor(200, 16, 46)}),
        flag({Qt::black, QColor(221, 0, 0), QColor(255, 206, 0)})
    };
    for (int i = 0; i < tripdesk::app::kLanguageCount; ++i) {
        cmb_langs->addItem(flags[i], QString::fromUtf8(tripdesk::app::kLanguageNames[i]));
    }
    grid->addWidget(cmb_langs, 1, 0, 1, 3);
    connect(cmb_langs, &QComboBox::currentIndexChanged, this, [this] {
        if (!loading_) cmb_langsChange();
    });

    grid->addWidget(named_label("lbl_dir1", "Umiestnenie programu Kniha Jázd:", this), 2, 0, 1, 3);
    edt_dir1 = named_edit("edt_dir1", this);
    edt_dir1->setReadOnly(true);
    btn_dir1 = new QPushButton("...", this);
    btn_dir1->setObjectName("btn_dir1");
    grid->addWidget(edt_dir1, 3, 0, 1, 2);
    grid->addWidget(btn_dir1, 3, 2);
    grid->addWidget(named_label("lbl_dir2", "Umiestnenie programu Google Earth:", this), 4, 0, 1, 3);
    edt_dir2 = named_edit("edt_dir2", this);
    edt_dir2->setReadOnly(true);
    btn_dir2 = new QPushButton("...", this);
    btn_dir2->setObjectName("btn_dir2");
    grid->addWidget(edt_dir2, 5, 0, 1, 2);
    grid->addWidget(btn_dir2, 5, 2);
    connect(btn_dir1, &QPushButton::clicked, this, [this] { VyberAdresaru(1); });
    connect(btn_dir2, &QPushButton::clicked, this, [this] { VyberAdresaru(2); });

    grid->addWidget(named_label("lbl_maps", "Kľúč registrovaného užívateľa Google Maps:", this), 6, 0, 1, 3);
    mem_maps = new QPlainTextEdit(this);
    mem_maps->setObjectName("mem_maps");
    mem_maps->setFixedHeight(52);
    grid->addWidget(mem_maps, 7, 0, 1, 3);

    const std::pair<const char*, const char*> mail_rows[] = {
        {"eml_smtp", "- SMTP:"},   {"eml_name", "- meno:"},   {"eml_pass", "- heslo:"},
        {"eml_addr", "- adresa:"}, {"eml_from", "- sender:"}, {"eml_sign", "- podpis:"}};
    QLineEdit** edits[] = {&eml_smtp, &eml_name, &eml_pass, &eml_addr, &eml_from, &eml_sign};
    for (int i = 0; i < 6; ++i) {
        auto* label = named_label((std::string("lbl_") + mail_rows[i].first).c_str(), mail_rows[i].second, this);
        *edits[i] = named_edit(mail_rows[i].first, this);
        grid->addWidget(label, 8 + i, 0);
        grid->addWidget(*edits[i], 8 + i, 1, 1, 2);
    }
    eml_pass->setEchoMode(QLineEdit::Password);

    CheckBox1 = new QCheckBox("ukladať nastavenia ...", this);
    CheckBox1->setObjectName("CheckBox1");
    CheckBox1->setChecked(true);
    CheckBox1->setEnabled(false);  // the settings are always saved
    grid->addWidget(CheckBox1, 14, 0, 1, 3);
    btn_zatvor = new QPushButton("Ukončiť nastavenia programu", this);
    btn_zatvor->setObjectName("btn_zatvor");
    grid->addWidget(btn_zatvor, 15, 0, 1, 3);
    grid->setColumnStretch(1, 1);
    connect(btn_zatvor, &QPushButton::clicked, this, &QWidget::close);

    auto& settings = main_.settings();
    const auto text_of = [](QLineEdit* e) { return e->text().toStdString(); };
    connect(eml_smtp, &QLineEdit::textChanged, this, [&settings, this, text_of] { settings.email.Host = text_of(eml_smtp); });
    connect(eml_name, &QLineEdit::textChanged, this, [&settings, this, text_of] { settings.email.Username = text_of(eml_name); });
    connect(eml_pass, &QLineEdit::textChanged, this, [&settings, this, text_of] { settings.email.Password = text_of(eml_pass); });
    connect(eml_addr, &QLineEdit::textChanged, this, [&settings, this, text_of] { settings.email.Address = text_of(eml_addr); });
    connect(eml_from, &QLineEdit::textChanged, this, [&settings, this, text_of] { settings.email.Sender = text_of(eml_from); });
    connect(eml_sign, &QLineEdit::textChanged, this, [&settings, this, text_of] { settings.email.Signature = text_of(eml_sign); });
    connect(edt_dir1, &QLineEdit::textChanged, this, [&settings, this, text_of] { settings.frm_setprg.GoogleEarthDir = text_of(edt_dir1); });
    connect(edt_dir2, &QLineEdit::textChanged, this, [&settings, this, text_of] { settings.frm_setprg.KnihaJazdDir = text_of(edt_dir2); });
    connect(mem_maps, &QPlainTextEdit::textChanged, this, [&settings, this] {
        settings.frm_setprg.GmapsKey = mem_maps->toPlainText().toStdString();
    });
    connect(&main, &Tfrm_main::settings_loaded, this, &Tfrm_setprg::load_from_settings);
}

void Tfrm_setprg::load_from_settings() {
    // Each control writes its setting back when it changes: fill from a copy.
    const auto s = main_.settings();
    loading_ = true;
    cmb_langs->setCurrentIndex(tripdesk::app::language_number_from_setting(s.frm_setprg.Language) - 1);
    loading_ = false;
    edt_dir1->setText(QString::fromStdString(s.frm_setprg.GoogleEarthDir));
    edt_dir2->setText(QString::fromStdString(s.frm_setprg.KnihaJazdDir));
    mem_maps->setPlainText(QString::fromStdString(s.frm_setprg.GmapsKey));
    eml_smtp->setText(QString::fromStdString(s.email.Host));
    eml_name->setText(QString::fromStdString(s.email.Username));
    eml_pass->setText(QString::fromStdString(s.email.Password));
    eml_addr->setText(QString::fromStdString(s.email.Address));
    eml_from->setText(QString::fromStdString(s.email.Sender));
    eml_sign->setText(QString::fromStdString(s.email.Signature));
}

void Tfrm_setprg::cmb_langsChange() {
    main_.activate_language(cmb_langs->currentIndex() + 1);
    lbl_vyp01->setText(lbl_vyp00->text());
}

void Tfrm_setprg::VyberAdresaru(int i) {
    const auto& choose = main_.options().choose_file;
    if (!choose) return;
    const QString path = choose(this, windowTitle(), QString::fromStdString(main_.program_folder()),
                                "Spustiteľné súbory (*)");
    if (path.isEmpty()) return;
    (i == 1 ? edt_dir1 : edt_dir2)->setText(path);
}

void Tfrm_setprg::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    cmb_langsChange();
}

TRIPDESK_REGISTER_WINDOW(Tfrm_setprg, [](Tfrm_main& m) { return new Tfrm_setprg(m); });
