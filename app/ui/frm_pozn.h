#pragma once
// The note window: the free text of one day, kept in the note file beside
// its day file (150309.TXT beside 150309.GPS). Opened by a double-click on the
// trip grid for the selection's top row. It has no title-bar buttons, only
// its own: save, and close (which asks before dropping unsaved edits).
#include <QWidget>

#include <string>

class QPlainTextEdit;
class QPushButton;
class Tfrm_main;

class Tfrm_pozn : public QWidget {
    Q_OBJECT

public:
    explicit Tfrm_pozn(Tfrm_main& main);

    QPlainTextEdit* mem_pozn = nullptr;
    QPushButton* btn_uloz = nullptr;    // "Uložiť zmeny v poznámke ku súboru ..."
    QPushButton* btn_zatvor = nullptr;  // "Zatvoriť"

    // Whether the note was saved since the window was shown.
    bool saved() const { return saved_; }

    void btn_ulozClick();
    void btn_zatvorClick();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FormShow();
    void mem_poznChange();

    Tfrm_main& main_;
    std::string folder_;    // the current drive when the window was shown
    std::string day_file_;  // the day file of the selection's top row; empty when none
    int row_ = 0;           // that row, selected again after a rescan
    bool saved_ = false;
};
