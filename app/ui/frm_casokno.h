#pragma once
// The time-window dialog ("Časové okno"): opened by F5 in place of the map
// view when the setting CasoveOkno is on. Its list holds the time windows of
// the settings section CAS_OKNO; the chosen window (editable in txt_okn1 and
// txt_okn2) or the whole day goes to the HTML map export.
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

#include "export/html_export.h"

class QLineEdit;
class QListWidget;
class QPushButton;
class Tfrm_main;

class Tfrm_casokno : public QWidget {
    Q_OBJECT

public:
    // What the two buttons run after closing the dialog; GenerujHTML normally.
    using ExportRunner = std::function<void(Tfrm_main&, const tripdesk::TimeWindow&)>;

    explicit Tfrm_casokno(Tfrm_main& main);

    // The time windows read at start, "HH:MM:SS HH:MM:SS" each.
    void set_time_windows(std::vector<std::string> windows);
    void set_export_runner(ExportRunner runner) { run_export_ = std::move(runner); }

    QListWidget* lst_okna = nullptr;
    QLineEdit* txt_okn1 = nullptr;  // start
    QLineEdit* txt_okn2 = nullptr;  // end
    QPushButton* btn_okno = nullptr;  // "Použiť časové okno ..."
    QPushButton* btn_cely = nullptr;  // "Spracovať celý deň ..."

    void lst_oknaClick();
    void btn_oknoClick();
    void btn_celyClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();

    Tfrm_main& main_;
    std::vector<std::string> windows_;
    ExportRunner run_export_;
};
