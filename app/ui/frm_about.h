#pragma once
// The about window: program name, version and the change log read from
// changeslog.txt beside the executable.
#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class Tfrm_main;

class Tfrm_about : public QWidget {
    Q_OBJECT

public:
    explicit Tfrm_about(Tfrm_main& main);

    void set_version(const QString& version);
    // Clears the box and loads the file's lines; a missing file leaves it empty.
    void load_change_log(const QString& path);

    QLabel* lbl_verzia = nullptr;      // the version text
    QPlainTextEdit* mem_zmeny = nullptr;  // the change log
    QPushButton* btn_zatvor = nullptr;

private:
    void btn_zatvorClick();
};
