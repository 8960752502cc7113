#include "app/ui/frm_about.h"

#include <QFile>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "app/ui/frm_main.h"
#include "app/ui/window_registry.h"

Tfrm_about::Tfrm_about(Tfrm_main&) : QWidget(nullptr, Qt::Window) {
    setObjectName("Tfrm_about");
    setWindowTitle("Informácie o programe");
    resize(460, 360);
    auto* grid = new QGridLayout(this);
    auto* name = new QLabel("MARVEK7 tripdesk", this);
    name->setObjectName("lbl_nazov");
    QFont big = name->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    name->setFont(big);
    auto* caption = new QLabel("Verzia:", this);
    caption->setObjectName("lbl_verziacap");
    lbl_verzia = new QLabel(this);
    lbl_verzia->setObjectName("lbl_verzia");
    mem_zmeny = new QPlainTextEdit(this);
    mem_zmeny->setObjectName("mem_zmeny");
    mem_zmeny->setReadOnly(true);
    btn_zatvor = new QPushButton("Zatvoriť", this);
    btn_zatvor->setObjectName("btn_zatvor");
    grid->addWidget(name, 0, 0, 1, 2);
    grid->addWidget(caption, 1, 0);
    grid->addWidget(lbl_verzia, 1, 1);
    grid->addWidget(mem_zmeny, 2, 0, 1, 2);
    grid->addWidget(btn_zatvor, 3, 1, Qt::AlignRight);
    grid->setColumnStretch(1, 1);
    connect(btn_zatvor, &QPushButton::clicked, this, &Tfrm_about::btn_zatvorClick);
}

void Tfrm_about::set_version(const QString& version) { lbl_verzia->setText(version); }

void Tfrm_about::load_change_log(const QString& path) {
    mem_zmeny->clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return;
    mem_zmeny->setPlainText(QString::fromUtf8(file.readAll()));
}

// Closing hides the window; the main window takes itself back on the hide.
void Tfrm_about::btn_zatvorClick() { close(); }

TRIPDESK_REGISTER_WINDOW(Tfrm_about, [](Tfrm_main& m) { return new Tfrm_about(m); });
