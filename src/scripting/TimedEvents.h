// The timers scripts use: timed events (script code the game runs after a delay, once or
// repeatedly, each driven by one element of the timer array TimedEvent), the timer array
// TimerObject whose ticks call author procedures, and the gate that holds a tick's script back
// while another script runs.
#pragma once

#include "scripting/ControlArrayElements.h"
#include "vbscript/Object.h"

#include <QTimer>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace quillora {

class GameHost;
struct GameSession;
class TimerHold;

// One element of a timer control array. A window timer fires every Interval milliseconds while
// it is enabled; an interval of 0 never fires (a QTimer would fire on every pass of the loop).
class ScriptTimer {
public:
    // The longest interval a window timer takes, in milliseconds.
    static constexpr int kMaxInterval = 65535;

    explicit ScriptTimer(std::function<void()> tick);
    // A timer may go while its own tick runs (the tick's script opened a frame or unloaded the
    // element): the QTimer is deleted once control is back in the event loop.
    ~ScriptTimer();
    ScriptTimer(const ScriptTimer&) = delete;
    ScriptTimer& operator=(const ScriptTimer&) = delete;

    bool Enabled() const { return m_enabled; }
    // Enabling a running timer leaves its interval running; disabling loses the elapsed time.
    void SetEnabled(bool enabled);
    int Interval() const { return m_interval; }
    // A new interval restarts a running timer from zero. Outside 0..kMaxInterval it is refused
    // with "Invalid property value" (380), as the window timer refuses it.
    void SetInterval(long long milliseconds);
    // Whether it fires now (enabled with an interval above 0).
    bool Running() const { return m_timer->isActive(); }
    // Counts the countdowns begun from zero, so that callers (and tests) can tell whether a
    // start restarted the interval or left it running.
    unsigned long long Starts() const { return m_starts; }
    // The window timer itself, for holding it while the game is paused.
    QTimer& WindowTimer() { return *m_timer; }

private:
    void Apply();

    QTimer* m_timer;
    bool m_enabled = false;
    int m_interval = 0;
    unsigned long long m_starts = 0;
};

// Ticks that arrive while a script runs (a message box or a program wait inside it lets them
// through) would start another script under it; they wait here until the engine is free.
class DeferredTicks {
public:
    // `busy` tells whether a script is running now.
    explicit DeferredTicks(std::function<bool()> busy);
    DeferredTicks(const DeferredTicks&) = delete;
    DeferredTicks& operator=(const DeferredTicks&) = delete;

    // Runs `work` now when no script runs; otherwise once none does. A tick of a timer whose
    // earlier tick is still waiting (same key) is dropped: the timer fires once when free.
    void RunOrDefer(const std::string& key, std::function<void()> work);
    // Forgets every waiting tick (the game is reset).
    void Clear();
    size_t Waiting() const { return m_waiting.size(); }

private:
    void RunWaiting();

    std::function<bool()> m_busy;
    std::vector<std::pair<std::string, std::function<void()>>> m_waiting;
    QTimer m_retry;
};

// One record of TimedEvents, parallel to the timer element of the same number.
struct TimedEventRecord {
    bool active = false; // alive: cleared once fired for the last time, failed or removed
    bool repeat = false; // fire again after every interval
    std::string code;
};

// The events of one game window. They belong to the frame in which they were created: every
// frame opening removes them all. Element 0 of the array carries no event.
class TimedEvents {
public:
    // Events run their code with its consequences through `host`; their ticks wait in `ticks`
    // while another script runs.
    TimedEvents(GameSession& session, GameHost& host, DeferredTicks& ticks);
    ~TimedEvents();
    TimedEvents(const TimedEvents&) = delete;
    TimedEvents& operator=(const TimedEvents&) = delete;

    // Action.CreateTimedEvent: `duration` in seconds (a script value). Returns the new event's
    // number, 0 when nothing was created: silently for more than 65 seconds, after the
    // creation message for a duration that cannot be a timer interval. The event starts at the
    // next StartTimedEvents.
    int16_t CreateTimedEvent(const vbs::Value& duration, const std::string& code,
                             bool repeatForever);
    // Action.RemoveTimedEvent: 0 and numbers above the highest do nothing; a negative number
    // shows the removal message.
    void RemoveTimedEvent(int16_t number);

    // Enables every active event whose timer is off (a running one keeps its interval running).
    void StartTimedEvents();
    // Disables every timer: the time already elapsed is lost.
    void PauseTimedEvents();
    // Back to element 0 alone (every frame opening, every game reset).
    void ResetTimedEvents();
    // Holds every running event's timer while the player pauses the game; released, each goes on
    // with the time it had left (unlike PauseTimedEvents).
    void HoldRunning(TimerHold& hold);

    // The highest element number (0 when there is no event).
    int UBound() const { return static_cast<int>(m_timers.size()) - 1; }
    const TimedEventRecord& Record(int number) const { return m_records.at(number); }
    // Element `number` of TimedEvent, or nullptr when there is none.
    ScriptTimer* Timer(int number);
    // The timer array as scripts see it (TimedEventObject): Count, UBound, LBound and the
    // elements' Enabled, Interval and Index.
    vbs::ObjectRef ScriptObject() const { return m_object; }

private:
    void Tick(int number);
    void AddTimer();
    void Disarm(int number);

    GameSession& m_session;
    GameHost& m_host;
    DeferredTicks& m_ticks;
    std::vector<std::unique_ptr<ScriptTimer>> m_timers; // TimedEvent
    std::vector<TimedEventRecord> m_records;            // TimedEvents
    // Counts the resets, so a tick held back across a frame change is dropped.
    unsigned m_generation = 0;
    vbs::ObjectRef m_object;
};

// The timer array TimerObject: timers that scripts load with Action.CreateObject and set going
// through the window object; each tick calls the author's procedure TimerObject<index>.
class TimerObjects : public LoadableArray {
public:
    // Ticks run their procedure through `host`, waiting in `ticks` while another script runs.
    TimerObjects(GameSession& session, GameHost& host, DeferredTicks& ticks);
    ~TimerObjects() override;
    TimerObjects(const TimerObjects&) = delete;
    TimerObjects& operator=(const TimerObjects&) = delete;

    // Element indexes are those of a window control array: 0 (the template, never unloaded)
    // to 32767.
    void LoadElement(int index) override;
    void UnloadElement(int index) override;
    // Unloads every element but the template, which is stopped (the game is reset).
    void Reset();

    // Element `index`, or nullptr when it is not loaded.
    ScriptTimer* Element(int index);
    // Whether any element is enabled with an interval above 0.
    bool AnyRunning() const;
    // Holds every running element's timer while the player pauses the game.
    void HoldRunning(TimerHold& hold);
    // The array as the window object holds it under the name "TimerObject": indexed
    // TimerObject(i) (a loaded element, or the name of one to load), Item, Count, UBound, LBound,
    // For Each; the elements have Enabled, Interval, Tag, Index and Name.
    vbs::ObjectRef ScriptObject() const { return m_object; }

private:
    struct Slot {
        std::unique_ptr<ScriptTimer> timer;
        std::string tag;
    };
    friend class TimerElementObject;

    void Tick(int index);
    // Runs the procedure of element `index` and carries out what it asked.
    void RunProcedure(int index);
    Slot* Find(int index);

    GameSession& m_session;
    GameHost& m_host;
    DeferredTicks& m_ticks;
    std::map<int, Slot> m_elements;
    unsigned m_generation = 0;
    vbs::ObjectRef m_object;
};

} // namespace quillora
