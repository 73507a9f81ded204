// Event-processing waits on the process clock.
#include "services/Wait.h"

#include "core/Clock.h"

#include <QCoreApplication>
#include <QThread>

namespace quillora {

void DoEvents() {
    const WaitScope waiting;
    if (QCoreApplication::instance()) QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void WaitSeconds(double seconds, const std::function<bool()>& stop) {
    const WaitScope waiting;
    const double start = TheClock().SecondsSinceMidnight();
    while (ElapsedSeconds(start, TheClock().SecondsSinceMidnight()) < seconds) {
        if (stop && stop()) return;
        if (QCoreApplication::instance()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        }
        // Give the processor back between polls instead of spinning.
        QThread::msleep(1);
    }
}

} // namespace quillora
