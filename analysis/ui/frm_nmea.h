#pragma once
// "Podrobná analýza binárneho GPS záznamu": the day file of the first
// selected grid row, record by record, with six figures, two saves and the
// search for the nearest named place.
#include "analysis/record_analysis.h"

#include <QWidget>

class QLabel;
class QPushButton;
class QTableView;
class QToolButton;
class RecordTableModel;
class Tfrm_main;

class Tfrm_nmea : public QWidget {
    Q_OBJECT

public:
    explicit Tfrm_nmea(Tfrm_main& main);

    void FormShow();
    // Both save buttons; `sender` tells the semicolon list from the text list.
    void btn_saveClick(QPushButton* sender);
    void img_hladajClick();
    void btn_zatvorClick();

    const tripdesk::analysis::RecordAnalysis& analysis() const { return analysis_; }

    QTableView* str_grid = nullptr;
    QLabel* lbl_nazov = nullptr;
    QLabel* lbl_podoz = nullptr;
    QLabel* lbl_vypsg = nullptr;
    QLabel* lbl_hodsg = nullptr;
    QLabel* lbl_rychl = nullptr;
    QLabel* lbl_newjz = nullptr;
    QPushButton* btn_save = nullptr;
    QPushButton* btn_save1 = nullptr;
    QPushButton* btn_zatvor = nullptr;
    QToolButton* img_hladaj = nullptr;
    QLabel* pnl_mesto = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void set_column_widths();

    Tfrm_main& main_;
    tripdesk::analysis::RecordAnalysis analysis_;
    RecordTableModel* model_ = nullptr;
};
