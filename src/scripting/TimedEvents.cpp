// Timed events, the TimerObject array, window timers for scripts, and ticks held back while a
// script runs.
#include "scripting/TimedEvents.h"

#include "core/Prompts.h"
#include "game/Actions.h"
#include "game/GameHost.h"
#include "game/GameSession.h"
#include "game/TimerHold.h"
#include "project/ErrorMessages.h"
#include "vbscript/Convert.h"
#include "vbscript/Errors.h"

#include <cmath>
#include <exception>
#include <limits>

namespace quillora {
namespace {

using vbs::Value;
using Args = std::span<Value>;

// How often waiting ticks look whether the engine is free, in milliseconds.
constexpr int kRetryMilliseconds = 10;
// The longest delay an event may ask for, in seconds; longer ones are ignored without a word.
constexpr double kMaxDurationSeconds = 65;
constexpr const char* kTimerObjectName = "TimerObject";

[[noreturn]] void MissingElement(int index) {
    vbs::ThrowError(340, "Control array element '" + std::to_string(index) + "' doesn't exist");
}

int IndexArg(Args args) {
    if (args.empty()) vbs::ThrowError(vbs::Err::WrongArgCount);
    return vbs::ToInteger(args[0]);
}

// TimedEventObject(i): the element's timer as scripts see it.
vbs::ObjectRef MakeElementObject(TimedEvents& events, int index) {
    auto* element = new vbs::HostObject(u"Timer");
    const auto timer = [&events, index]() -> ScriptTimer& {
        ScriptTimer* t = events.Timer(index);
        if (t == nullptr) MissingElement(index);
        return *t;
    };
    element->DefineProperty(
        "Enabled", [timer] { return Value::Boolean(timer().Enabled()); },
        [timer](Args, const Value& v) { timer().SetEnabled(vbs::ToBool(v)); });
    element->DefineProperty(
        "Interval", [timer] { return Value::Long(timer().Interval()); },
        [timer](Args, const Value& v) { timer().SetInterval(vbs::ToLong(v)); });
    element->DefineProperty("Index", [timer, index] {
        timer();
        return Value::Integer(static_cast<int16_t>(index));
    });
    element->DefineProperty("Name", [] { return Value::FromUtf8("TimedEvent"); });
    return vbs::ObjectRef(element);
}

} // namespace

ScriptTimer::ScriptTimer(std::function<void()> tick) : m_timer(new QTimer) {
    m_timer->setSingleShot(false);
    QObject::connect(m_timer, &QTimer::timeout, m_timer, [tick = std::move(tick)] { tick(); });
}

ScriptTimer::~ScriptTimer() {
    m_timer->stop();
    QObject::disconnect(m_timer, nullptr, nullptr, nullptr);
    m_timer->deleteLater();
}

void ScriptTimer::SetEnabled(bool enabled) {
    if (enabled == m_enabled) return;
    m_enabled = enabled;
    Apply();
}

void ScriptTimer::SetInterval(long long milliseconds) {
    if (milliseconds < 0 || milliseconds > kMaxInterval)
        vbs::ThrowError(380, "Invalid property value");
    m_interval = static_cast<int>(milliseconds);
    Apply();
}

void ScriptTimer::Apply() {
    if (!m_enabled || m_interval <= 0) {
        m_timer->stop();
        return;
    }
    m_timer->start(m_interval);
    ++m_starts;
}

DeferredTicks::DeferredTicks(std::function<bool()> busy) : m_busy(std::move(busy)) {
    m_retry.setSingleShot(true);
    QObject::connect(&m_retry, &QTimer::timeout, [this] { RunWaiting(); });
}

void DeferredTicks::RunOrDefer(const std::string& key, std::function<void()> work) {
    if (!m_busy() && m_waiting.empty()) {
        work();
        return;
    }
    for (const auto& waiting : m_waiting) {
        if (waiting.first == key) return;
    }
    m_waiting.emplace_back(key, std::move(work));
    if (!m_retry.isActive()) m_retry.start(kRetryMilliseconds);
}

void DeferredTicks::Clear() {
    m_waiting.clear();
    m_retry.stop();
}

void DeferredTicks::RunWaiting() {
    // Each tick runs to its end before the next; a tick whose script waits in turn makes the
    // others wait for it.
    while (!m_waiting.empty() && !m_busy()) {
        std::function<void()> work = std::move(m_waiting.front().second);
        m_waiting.erase(m_waiting.begin());
        work();
    }
    if (!m_waiting.empty() && !m_retry.isActive()) m_retry.start(kRetryMilliseconds);
}

TimedEvents::TimedEvents(GameSession& session, GameHost& host, DeferredTicks& ticks)
    : m_session(session), m_host(host), m_ticks(ticks) {
    AddTimer();
    m_records.resize(1);
    auto* array = new vbs::HostObject(u"Object");
    const auto element = [this](Args args) {
        const int index = IndexArg(args);
        if (Timer(index) == nullptr) MissingElement(index);
        return Value::Obj(MakeElementObject(*this, index).Get());
    };
    array->DefineMember("", element);
    array->DefineMember("Item", element);
    array->DefineProperty("Count", [this] { return Value::Long(UBound() + 1); });
    array->DefineProperty("UBound", [this] { return Value::Long(UBound()); });
    array->DefineProperty("LBound", [] { return Value::Long(0); });
    array->DefineItems([this] {
        std::vector<Value> items;
        for (int i = 0; i <= UBound(); ++i)
            items.push_back(Value::Obj(MakeElementObject(*this, i).Get()));
        return items;
    });
    m_object = vbs::ObjectRef(array);
}

TimedEvents::~TimedEvents() = default;

ScriptTimer* TimedEvents::Timer(int number) {
    if (number < 0 || number > UBound()) return nullptr;
    return m_timers[static_cast<size_t>(number)].get();
}

void TimedEvents::AddTimer() {
    const int number = static_cast<int>(m_timers.size());
    m_timers.push_back(std::make_unique<ScriptTimer>([this, number] { Tick(number); }));
}

int16_t TimedEvents::CreateTimedEvent(const Value& duration, const std::string& code,
                                      bool repeatForever) {
    int number = 0;
    try {
        const double seconds = vbs::ToDouble(duration);
        if (seconds > kMaxDurationSeconds) return 0;
        if (UBound() >= std::numeric_limits<int16_t>::max()) vbs::ThrowError(vbs::Err::Overflow);
        number = UBound() + 1;
        AddTimer();
        m_records.resize(m_timers.size());
        // The interval is kept in 32 bits: every duration the guard accepts (up to 65 s) fits
        // a window timer, where a 16-bit field would overflow from 32.768 s on.
        const double milliseconds = vbs::BankersRound(1000 * seconds);
        if (std::isnan(milliseconds)) vbs::ThrowError(vbs::Err::Overflow);
        m_timers.back()->SetInterval(static_cast<long long>(milliseconds));
        m_records.back() = TimedEventRecord{true, repeatForever, code};
        return static_cast<int16_t>(number);
    } catch (const vbs::ScriptError& error) {
        ShowCommonError(" Unable to create the timed event #" + std::to_string(number) + ". ",
                        error.Description());
        return 0;
    }
}

void TimedEvents::RemoveTimedEvent(int16_t number) {
    if (number < 0) {
        ShowCommonError(" Unable to remove the timed event #" + std::to_string(number) + ". ",
                        vbs::ErrorDescription(vbs::Err::OutOfRange));
        return;
    }
    if (number == 0 || number > UBound()) return;
    m_records[static_cast<size_t>(number)].active = false;
    m_timers[static_cast<size_t>(number)]->SetEnabled(false);
}

void TimedEvents::StartTimedEvents() {
    for (int i = 1; i <= UBound(); ++i) {
        if (m_records[static_cast<size_t>(i)].active)
            m_timers[static_cast<size_t>(i)]->SetEnabled(true);
    }
}

void TimedEvents::PauseTimedEvents() {
    for (const auto& timer : m_timers)
        timer->SetEnabled(false);
}

void TimedEvents::ResetTimedEvents() {
    ++m_generation;
    m_timers.resize(1);
    m_records.assign(1, TimedEventRecord());
    m_timers[0]->SetEnabled(false);
    m_timers[0]->SetInterval(0);
}

void TimedEvents::Disarm(int number) {
    m_records[static_cast<size_t>(number)].active = false;
    ScriptTimer& timer = *m_timers[static_cast<size_t>(number)];
    timer.SetEnabled(false);
    timer.SetInterval(0);
}

void TimedEvents::Tick(int number) {
    if (m_session.Flags.StopEverything) return;
    if (number <= 0 || number > UBound()) return;
    const TimedEventRecord& record = m_records[static_cast<size_t>(number)];
    if (!record.active || record.code.empty()) return;
    // A one-shot event is disarmed before its code can handle window events, so it cannot
    // fire a second time, and its code may create new events.
    if (!record.repeat) Disarm(number);
    const unsigned generation = m_generation;
    const std::string key =
        "TimedEvent " + std::to_string(generation) + " " + std::to_string(number);
    m_ticks.RunOrDefer(key, [this, number, generation, code = record.code, repeat = record.repeat] {
        // Held back across a frame change, a removal or a stop: the event is gone.
        if (generation != m_generation || m_session.Flags.StopEverything) return;
        if (repeat && !m_records[static_cast<size_t>(number)].active) return;
        const bool failed = ExecuteVBScriptAndConsequences(m_host, m_session, code, true);
        // A failing event stops at its first failing run.
        if (failed && generation == m_generation) Disarm(number);
    });
}

// TimerObject(i), loaded or not: its other members fail with 340 while it is not loaded, but it
// names the element for Action.CreateObject and DeleteObject.
class TimerElementObject : public vbs::HostObject, public ControlElementName {
public:
    TimerElementObject(TimerObjects& array, int index)
        : vbs::HostObject(u"Timer"), m_array(array), m_index(index) {
        DefineProperty(
            "Enabled", [this] { return Value::Boolean(Timer().Enabled()); },
            [this](Args, const Value& v) { Timer().SetEnabled(vbs::ToBool(v)); });
        DefineProperty(
            "Interval", [this] { return Value::Long(Timer().Interval()); },
            [this](Args, const Value& v) { Timer().SetInterval(vbs::ToLong(v)); });
        DefineProperty(
            "Tag", [this] { return Value::FromUtf8(Loaded().tag); },
            [this](Args, const Value& v) { Loaded().tag = vbs::ToUtf8(vbs::ToString(v)); });
        DefineProperty("Index", [this] {
            Loaded();
            return Value::Integer(static_cast<int16_t>(m_index));
        });
        DefineProperty("Name", [] { return Value::FromUtf8(kTimerObjectName); });
    }
    LoadableArray& Array() override { return m_array; }
    int Index() const override { return m_index; }

private:
    TimerObjects::Slot& Loaded() {
        TimerObjects::Slot* element = m_array.Find(m_index);
        if (element == nullptr) MissingElement(m_index);
        return *element;
    }
    ScriptTimer& Timer() { return *Loaded().timer; }

    TimerObjects& m_array;
    int m_index;
};

TimerObjects::TimerObjects(GameSession& session, GameHost& host, DeferredTicks& ticks)
    : m_session(session), m_host(host), m_ticks(ticks) {
    m_elements[0].timer = std::make_unique<ScriptTimer>([this] { Tick(0); });
    auto* array = new vbs::HostObject(u"Object");
    const auto element = [this](Args args) {
        const int index = IndexArg(args);
        if (index < 0) MissingElement(index);
        return Value::Obj(new TimerElementObject(*this, index));
    };
    array->DefineMember("", element);
    array->DefineMember("Item", element);
    array->DefineProperty("Count",
                          [this] { return Value::Long(static_cast<int32_t>(m_elements.size())); });
    array->DefineProperty("UBound", [this] { return Value::Long(m_elements.rbegin()->first); });
    array->DefineProperty("LBound", [this] { return Value::Long(m_elements.begin()->first); });
    array->DefineItems([this] {
        std::vector<Value> items;
        for (const auto& [index, element] : m_elements)
            items.push_back(Value::Obj(new TimerElementObject(*this, index)));
        return items;
    });
    m_object = vbs::ObjectRef(array);
}

TimerObjects::~TimerObjects() = default;

TimerObjects::Slot* TimerObjects::Find(int index) {
    const auto found = m_elements.find(index);
    return found == m_elements.end() ? nullptr : &found->second;
}

ScriptTimer* TimerObjects::Element(int index) {
    Slot* slot = Find(index);
    return slot == nullptr ? nullptr : slot->timer.get();
}

bool TimerObjects::AnyRunning() const {
    for (const auto& [index, slot] : m_elements) {
        if (slot.timer->Enabled() && slot.timer->Interval() > 0) return true;
    }
    return false;
}

void TimerObjects::LoadElement(int index) {
    if (index < 0) MissingElement(index);
    if (index > std::numeric_limits<int16_t>::max()) vbs::ThrowError(vbs::Err::Overflow);
    if (Find(index) != nullptr) vbs::ThrowError(360, "Object already loaded");
    // A new element takes the template's settings, as a loaded control does.
    const ScriptTimer& model = *m_elements[0].timer;
    auto timer = std::make_unique<ScriptTimer>([this, index] { Tick(index); });
    timer->SetInterval(model.Interval());
    timer->SetEnabled(model.Enabled());
    m_elements[index] = Slot{std::move(timer), m_elements[0].tag};
}

void TimerObjects::UnloadElement(int index) {
    if (index == 0) vbs::ThrowError(362, "Can't unload controls created at design time");
    if (Find(index) == nullptr) MissingElement(index);
    m_elements.erase(index);
}

void TimerObjects::Reset() {
    ++m_generation;
    std::erase_if(m_elements, [](const auto& entry) { return entry.first != 0; });
    Slot& model = m_elements[0];
    model.timer->SetEnabled(false);
    model.timer->SetInterval(0);
    model.tag.clear();
}

void TimerObjects::Tick(int index) {
    ScriptTimer* timer = Element(index);
    if (timer == nullptr) return;
    if (m_session.Flags.StopEverything) {
        timer->SetEnabled(false);
        return;
    }
    const unsigned generation = m_generation;
    const std::string key = std::string(kTimerObjectName) + " " + std::to_string(generation) + " " +
                            std::to_string(index);
    m_ticks.RunOrDefer(key, [this, index, generation] {
        // Held back while a script ran: that script may have stopped or unloaded the timer.
        ScriptTimer* waiting = Element(index);
        if (generation != m_generation || waiting == nullptr || !waiting->Enabled()) return;
        if (m_session.Flags.StopEverything) {
            waiting->SetEnabled(false);
            return;
        }
        RunProcedure(index);
    });
}

void TimerObjects::RunProcedure(int index) {
    try {
        m_session.Action.ResetModule();
        m_host.ExecuteVBScript(kTimerObjectName + std::to_string(index), true);
        // Failed or not, the requests are carried out; the save and load windows are not.
        CarryOutScriptRequests(m_host, m_session);
    } catch (const std::exception& error) {
        Prompts().MessageBox("Unable to execute the procedure named TimerObject" +
                                 std::to_string(index) + ". " + error.what(),
                             BoxStyle::Critical, "Error Executing VBScript Code");
        if (ScriptTimer* timer = Element(index)) timer->SetEnabled(false);
    }
}

void TimedEvents::HoldRunning(TimerHold& hold) {
    for (const auto& timer : m_timers)
        hold.Hold(timer->WindowTimer());
}

void TimerObjects::HoldRunning(TimerHold& hold) {
    for (auto& [index, slot] : m_elements) {
        if (slot.timer) hold.Hold(slot.timer->WindowTimer());
    }
}

} // namespace quillora
