#include "device/ui/bar_progress.h"

#include <QProgressBar>

#include "device/ui/event_loop_sleeper.h"

namespace tripdesk::device::ui {

void BarProgress::maximum(int max) { bar_->setMaximum(max); }
void BarProgress::position(int pos) { bar_->setValue(pos); }
void BarProgress::pump() { repaint_now(); }

}  // namespace tripdesk::device::ui
