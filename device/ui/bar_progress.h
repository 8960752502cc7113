#pragma once
// The firmware window's progress bar as a Progress reporter.
#include "common/progress.h"
#include "device/sleeper.h"

class QProgressBar;

namespace tripdesk::device::ui {

class BarProgress final : public Progress {
public:
    BarProgress(QProgressBar* bar, Sleeper& sleeper) : bar_(bar), sleeper_(sleeper) {}
    void maximum(int max) override;
    void position(int pos) override;
    void pump() override;
    void pause(int ms) override { sleeper_.sleep_ms(ms); }

private:
    QProgressBar* bar_;
    Sleeper& sleeper_;
};

}  // namespace tripdesk::device::ui
