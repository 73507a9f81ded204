// The system clock and the manual clock that tests use.
#include "core/Clock.h"

#include <chrono>
#include <cmath>
#include <ctime>

namespace quillora {

double SystemClock::SecondsSinceMidnight() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    const auto millis = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    return local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + millis / 1000.0;
}

double ManualClock::SecondsSinceMidnight() {
    const double now = m_now;
    Advance(m_step);
    return now;
}

void ManualClock::Advance(double seconds) {
    m_now = std::fmod(m_now + seconds, 86400.0);
}

double ElapsedSeconds(double from, double to) {
    // A wait that spans midnight must not see a negative time and wait for ever.
    return to >= from ? to - from : to + 86400.0 - from;
}

namespace {
Clock* g_clock = nullptr;
} // namespace

Clock& TheClock() {
    static SystemClock system;
    return g_clock ? *g_clock : system;
}

void SetClock(Clock* clock) {
    g_clock = clock;
}

} // namespace quillora
