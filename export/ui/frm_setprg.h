#pragma once
// The program settings window: language, the two program paths (stored
// crosswise: see app/settings.h), the geocoding key and the e-mail account.
// Every control holds the live value of its setting.
#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class Tfrm_main;

class Tfrm_setprg : public QWidget {
    Q_OBJECT

public:
    explicit Tfrm_setprg(Tfrm_main& main);

    void load_from_settings();
    // Activates the chosen language everywhere; also run at every show.
    void cmb_langsChange();
    // The program chooser of "..." button 1 (logbook program) or 2 (Google Earth).
    void VyberAdresaru(int i);

    QComboBox* cmb_langs = nullptr;
    QLabel* lbl_vyp00 = nullptr;  // language caption
    QLabel* lbl_vyp01 = nullptr;  // its shadow
    QLineEdit* edt_dir1 = nullptr;  // logbook program -> GoogleEarthDir
    QLineEdit* edt_dir2 = nullptr;  // Google Earth -> KnihaJazdDir
    QPushButton* btn_dir1 = nullptr;
    QPushButton* btn_dir2 = nullptr;
    QPlainTextEdit* mem_maps = nullptr;
    QLineEdit* eml_smtp = nullptr;
    QLineEdit* eml_name = nullptr;
    QLineEdit* eml_pass = nullptr;
    QLineEdit* eml_addr = nullptr;
    QLineEdit* eml_from = nullptr;
    QLineEdit* eml_sign = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QPushButton* btn_zatvor = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    Tfrm_main& main_;
    bool loading_ = false;
};
