#pragma once
// "Prehľad súkromných jázd": the trips of the tracker's private-trip memory
// (EEPROM.BIN on the current drive) with totals, two list filters, a copy to
// the clipboard and the export of the private trips as a logbook file.
#include "private/eeprom.h"

#include <QWidget>

#include <vector>

class QCheckBox;
class QLabel;
class QPushButton;
class QTableWidget;
class Tfrm_main;

class Tfrm_sukjaz : public QWidget {
    Q_OBJECT

public:
    explicit Tfrm_sukjaz(Tfrm_main& main);

    void FormShow();
    void chk_opt1Click();
    void chk_opt2Click();
    void str_gridDblClick();
    void btn_exportClick();
    void btn_zatvorClick();

    QLabel* lbl_subor = nullptr;    // file name and size, or the missing-file text
    QLabel* lbl_obdobie = nullptr;  // period of the list
    QLabel* lbl_celkom = nullptr;   // total of all trips
    QLabel* lbl_sukrom = nullptr;   // total of the private trips
    QTableWidget* str_grid = nullptr;
    QCheckBox* chk_opt1 = nullptr;  // private trips only (SukrOnly)
    QCheckBox* chk_opt2 = nullptr;  // no trips of zero length (Nenulove)
    QPushButton* btn_export = nullptr;
    QPushButton* btn_zatvor = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void fill_grid();
    void reset_grid();

    Tfrm_main& main_;
    std::vector<tripdesk::private_trips::Teep_zazn> entries_;
    bool loaded_ = false;
};
