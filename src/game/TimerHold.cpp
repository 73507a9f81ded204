// Holding and releasing window timers with the time they had left.
#include "game/TimerHold.h"

#include <algorithm>

namespace quillora {

void TimerHold::Hold(QTimer& timer) {
    if (!timer.isActive()) return;
    for (const Held& held : m_held) {
        if (held.timer == &timer) return;
    }
    Held held;
    held.timer = &timer;
    held.interval = timer.interval();
    // remainingTime is -1 for an inactive timer and may read 0 for one already due: that one
    // fires as soon as the game goes on.
    held.remaining = std::clamp(timer.remainingTime(), 0, held.interval);
    timer.stop();
    m_held.push_back(held);
}

void TimerHold::Release() {
    std::vector<Held> held;
    held.swap(m_held);
    for (const Held& entry : held) {
        QTimer* timer = entry.timer.data();
        if (timer == nullptr || timer->isActive() || timer->interval() != entry.interval) continue;
        if (entry.remaining == entry.interval) {
            timer->start();
            continue;
        }
        // The first countdown is the rest of the held one; the full interval comes back at its
        // end, unless the timer's own handler has set another interval meanwhile.
        const int rest = entry.remaining;
        const int interval = entry.interval;
        timer->start(rest);
        QObject::connect(
            timer, &QTimer::timeout, timer,
            [timer, rest, interval] {
                if (timer->interval() == rest) timer->setInterval(interval);
            },
            Qt::SingleShotConnection);
    }
}

} // namespace quillora
