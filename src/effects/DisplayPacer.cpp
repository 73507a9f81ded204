// Refresh-paced waits on a precise window timer.
#include "effects/DisplayPacer.h"

#include <QCoreApplication>
#include <QScreen>
#include <QWidget>

#include <cmath>

namespace quillora {

DisplayPacer::DisplayPacer() {
    m_refresh.setTimerType(Qt::PreciseTimer);
    connect(&m_refresh, &QTimer::timeout, this, [this] { m_ticked = true; });
}

DisplayPacer::~DisplayPacer() = default;

int DisplayPacer::PeriodMilliseconds(double refreshRate) {
    if (!(refreshRate >= 10 && refreshRate <= 1000)) refreshRate = 60;
    return std::max(1, static_cast<int>(std::lround(1000.0 / refreshRate)));
}

void DisplayPacer::Begin(const QWidget* widget) {
    const QScreen* screen = widget != nullptr ? widget->screen() : nullptr;
    m_refresh.start(PeriodMilliseconds(screen != nullptr ? screen->refreshRate() : 60));
    m_ticked = false;
}

void DisplayPacer::WaitForNextFrame(const std::function<bool()>& stop) {
    if (QCoreApplication::instance() == nullptr) return;
    if (!m_refresh.isActive()) {
        // Not begun (or ended by an animation nested in this one): the window stays alive.
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        return;
    }
    // The repaint asked for by the last step is among the events handled here.
    while (!m_ticked && !(stop && stop()))
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    m_ticked = false;
}

void DisplayPacer::End() {
    m_refresh.stop();
}

void EventsOnlyPacer::WaitForNextFrame(const std::function<bool()>&) {
    if (QCoreApplication::instance() != nullptr)
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}

} // namespace quillora
