// The progress panel over the grid and status panel 2 as a Progress reporter.
#include <QApplication>
#include <QDeadlineTimer>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QTableWidget>
#include <QThread>

#include "app/ui/frm_main.h"

void Tfrm_main::UkazLoadNadpis(const QString& title) {
    lbl_stav0->setText(title);
    lbl_stav1->setText(title);
    const QRect grid = str_grid->geometry();
    pnl_loads->move(grid.left() + grid.width() / 2 - pnl_loads->width() / 2,
                    grid.top() + grid.height() / 2 - pnl_loads->height() / 2);
    pnl_loads->show();
    pnl_loads->raise();
    prg_stav->setMinimum(1);
    prg_stav->setValue(1);
    QApplication::processEvents();
    pause_for_readability(200);
}

void Tfrm_main::hide_progress_panel() { pnl_loads->hide(); }

// The pause keeps the window painted but takes no user input, so nothing
// else starts while an operation is under way.
void Tfrm_main::pause_for_readability(int ms) {
    if (!options_.readability_pauses || ms <= 0) return;
    const QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired()) {
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents, static_cast<int>(deadline.remainingTime()));
        QThread::msleep(static_cast<unsigned long>(std::min<qint64>(10, std::max<qint64>(0, deadline.remainingTime()))));
    }
}

MainProgress::~MainProgress() { main_.hide_progress_panel(); }

void MainProgress::title(const std::string& text) { main_.UkazLoadNadpis(QString::fromStdString(text)); }

void MainProgress::maximum(int max) { main_.prg_stav->setMaximum(max); }

void MainProgress::position(int pos) { main_.prg_stav->setValue(pos); }

void MainProgress::step() {
    QProgressBar* bar = main_.prg_stav;
    bar->setValue(std::min(bar->maximum(), bar->value() + 1));
}

void MainProgress::status(const std::string& text) { main_.set_status(QString::fromStdString(text)); }

void MainProgress::pump() { QApplication::processEvents(); }

void MainProgress::pause(int ms) { main_.pause_for_readability(ms); }
