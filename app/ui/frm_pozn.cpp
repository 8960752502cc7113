#include "app/ui/frm_pozn.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/note_file.h"
#include "app/ui/card_file_reports.h"
#include "app/ui/frm_main.h"
#include "app/ui/window_registry.h"
#include "common/io_error.h"

namespace {

constexpr const char* kDiscardQuestion = "Zatvoriť bez uloženia zmien?";

}  // namespace

Tfrm_pozn::Tfrm_pozn(Tfrm_main& main)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint), main_(main) {
    setObjectName("Tfrm_pozn");
    setWindowTitle(QString::fromUtf8("Poznámka k dátumu "));
    resize(480, 320);
    auto* column = new QVBoxLayout(this);
    mem_pozn = new QPlainTextEdit(this);
    mem_pozn->setObjectName("mem_pozn");
    column->addWidget(mem_pozn, 1);
    auto* buttons = new QHBoxLayout;
    btn_uloz = new QPushButton(QString::fromUtf8("Uložiť zmeny v poznámke ku súboru ..."), this);
    btn_uloz->setObjectName("btn_uloz");
    btn_zatvor = new QPushButton(QString::fromUtf8("Zatvoriť"), this);
    btn_zatvor->setObjectName("btn_zatvor");
    buttons->addWidget(btn_uloz, 1);
    buttons->addWidget(btn_zatvor);
    column->addLayout(buttons);
    connect(mem_pozn, &QPlainTextEdit::textChanged, this, &Tfrm_pozn::mem_poznChange);
    connect(btn_uloz, &QPushButton::clicked, this, &Tfrm_pozn::btn_ulozClick);
    connect(btn_zatvor, &QPushButton::clicked, this, &Tfrm_pozn::btn_zatvorClick);
}

void Tfrm_pozn::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void Tfrm_pozn::FormShow() {
    folder_ = main_.current_drive();
    day_file_.clear();
    row_ = 0;
    QString date;
    if (const auto rows = main_.selected_rows(); !rows.empty()) {
        row_ = rows.front().row;
        day_file_ = rows.front().file_name;
        if (const QTableWidgetItem* item = main_.str_grid->item(row_, 0)) date = item->text();
    }
    setWindowTitle(QString::fromUtf8("Poznámka k dátumu ") + date);
    saved_ = false;
    mem_pozn->clear();
    if (!day_file_.empty()) {
        try {
            if (const auto note = tripdesk::app::read_note(folder_, day_file_))
                mem_pozn->setPlainText(QString::fromStdString(*note));
        } catch (const tripdesk::IoError& e) {
            QMessageBox::warning(this, windowTitle(), QString::fromStdString(e.what()));
        }
    }
    btn_uloz->setEnabled(false);
}

void Tfrm_pozn::mem_poznChange() { btn_uloz->setEnabled(!day_file_.empty()); }

void Tfrm_pozn::btn_ulozClick() {
    if (day_file_.empty()) return;
    try {
        tripdesk::app::write_note(folder_, day_file_, mem_pozn->toPlainText().toStdString());
    } catch (const tripdesk::IoError& e) {
        // The text stays in the window, which stays open.
        QMessageBox::warning(this, windowTitle(), QString::fromStdString(e.what()));
        return;
    }
    saved_ = true;
    btn_uloz->setEnabled(false);
}

void Tfrm_pozn::btn_zatvorClick() { close(); }

// Edits that were not saved are dropped only when the user agrees, also after
// an earlier save in the same opening. Once closed, a saved note is shown in
// the grid by scanning the drive again.
void Tfrm_pozn::closeEvent(QCloseEvent* event) {
    if (btn_uloz->isEnabled()) {
        const auto& ask = main_.options().ask_ok_cancel;
        const bool discard = ask ? ask(this, QString::fromUtf8(kDiscardQuestion))
                                 : QMessageBox::information(this, windowTitle(), QString::fromUtf8(kDiscardQuestion),
                                                            QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
        if (!discard) {
            event->ignore();
            return;
        }
    }
    event->accept();
    QWidget::closeEvent(event);
    if (!saved_) return;
    // Hidden first, so the main window is enabled again for the scan.
    hide();
    main_.rescan();
    tripdesk::ui::select_grid_row(main_, row_);
}

TRIPDESK_REGISTER_WINDOW(Tfrm_pozn, [](Tfrm_main& m) { return new Tfrm_pozn(m); });
