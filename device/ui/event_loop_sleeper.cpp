#include "device/ui/event_loop_sleeper.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace tripdesk::device::ui {

void EventLoopSleeper::sleep_ms(int ms) {
    if (ms <= 0) return;
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

EventLoopSleeper& event_loop_sleeper() {
    static EventLoopSleeper sleeper;
    return sleeper;
}

void repaint_now() { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }

}  // namespace tripdesk::device::ui
