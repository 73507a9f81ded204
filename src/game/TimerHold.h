// Holding window timers while the player pauses the game, each keeping the time it had left.
#pragma once

#include <QPointer>
#include <QTimer>

#include <vector>

namespace quillora {

// Stops running timers and later starts them again where they were: a timer with 700 ms of a
// 1000 ms interval left fires 700 ms after the release, then every 1000 ms as before. A timer
// deleted, stopped or given another interval while held is left as it then is.
class TimerHold {
public:
    TimerHold() = default;
    TimerHold(const TimerHold&) = delete;
    TimerHold& operator=(const TimerHold&) = delete;

    // Stops the timer when it runs and remembers it; a stopped timer is left alone.
    void Hold(QTimer& timer);
    // Starts every held timer again with the time it had left, and forgets them.
    void Release();
    // Forgets the held timers without starting them (the game they belong to has gone).
    void Forget() { m_held.clear(); }
    size_t Count() const { return m_held.size(); }

private:
    struct Held {
        QPointer<QTimer> timer;
        int interval = 0;  // ms, as it was set
        int remaining = 0; // ms left when held
    };
    std::vector<Held> m_held;
};

} // namespace quillora
