#pragma once
// The export settings window: output folders, resolutions, minimum stop, the
// dBase export's time shift and the e-mail and "ignorovať" options. Every
// control holds the live value of its setting: a change goes straight into
// the main window's settings object, which the exports read.
#include <QWidget>

#include <array>

class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class HorizontalUpDown;
class Tfrm_main;

class Tfrm_setexp : public QWidget {
    Q_OBJECT

public:
    explicit Tfrm_setexp(Tfrm_main& main);

    // Fills the controls from the settings (after the file was read).
    void load_from_settings();
    // The time-shift label for the up-down's position.
    void VypisPosun();
    void btn_ulozitClick();
    // The folder chooser of "..." button i (0: logbook, 1: KML, 2: MRP, 3: HTML).
    void VyberAdresaru(int i);

    std::array<QLineEdit*, 4> edt_dir{};
    std::array<QPushButton*, 4> btn_dir{};
    QLabel* lbl_vyp0 = nullptr;   // logbook format caption
    QLabel* lbl_vyp0s = nullptr;  // its shadow
    QLabel* lbl_vyp1 = nullptr;   // KML format caption
    QLabel* lbl_vyp1s = nullptr;  // its shadow
    QLabel* lbl_vyp2 = nullptr;   // MRP caption
    QLabel* lbl_vyp3 = nullptr;   // HTML caption
    QScrollBar* scr_pres0 = nullptr;
    QScrollBar* scr_pres1 = nullptr;
    QScrollBar* scr_pres2 = nullptr;
    QScrollBar* scr_zast2 = nullptr;
    QLabel* lbl_pres0 = nullptr;
    QLabel* lbl_pres1 = nullptr;
    QLabel* lbl_pres2 = nullptr;
    QLabel* lbl_zast2 = nullptr;
    HorizontalUpDown* btn_updown = nullptr;
    QLabel* lbl_posun = nullptr;
    std::array<QCheckBox*, 3> chk_mail{};
    QCheckBox* chk_sluz = nullptr;
    QCheckBox* chk_krat = nullptr;
    QPushButton* btn_ulozit = nullptr;
    QPushButton* btn_zatvor = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QScrollBar* add_scroll_row(QGridLayout* grid, int row, const char* name, const char* label_name, int minimum,
                               int maximum, int value, QLabel** label);
    void update_scroll_labels();
    void set_folder(int i, const QString& folder);
    void FormShow();

    Tfrm_main& main_;
};
