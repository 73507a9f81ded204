// The clock service: seconds since midnight, as the game's timing code reads it.
#pragma once

namespace quillora {

class Clock {
public:
    virtual ~Clock() = default;
    // Seconds since local midnight, 0 <= t < 86400, with millisecond resolution.
    virtual double SecondsSinceMidnight() = 0;
};

// Local time of day.
class SystemClock : public Clock {
public:
    double SecondsSinceMidnight() override;
};

// A clock that moves only when told to, or by a fixed step on every read.
class ManualClock : public Clock {
public:
    explicit ManualClock(double start = 0, double stepPerRead = 0)
        : m_now(start), m_step(stepPerRead) {}
    double SecondsSinceMidnight() override;
    void Advance(double seconds);

private:
    double m_now;
    double m_step;
};

// Seconds from `from` to `to` on a clock that wraps at midnight.
double ElapsedSeconds(double from, double to);

// The process-wide clock; the system clock until another is installed (not owned).
Clock& TheClock();
void SetClock(Clock* clock);

} // namespace quillora
