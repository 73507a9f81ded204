// Timed events and TimerObject timers: numbering, the duration guard, pausing, failures, ticks
// held back while another script runs.
#include "ScriptFixture.h"
#include "project/ErrorMessages.h"
#include "scripting/TimedEvents.h"
#include "vbscript/Errors.h"

namespace quillora::test {
namespace {

using TimedEventsTest = ScriptFixture;

TEST_F(TimedEventsTest, NumbersEventsAndGuardsTheirDuration) {
    Start();
    TimedEvents& events = scripts->Events();
    ASSERT_FALSE(Run("Counter = Action.CreateTimedEvent(0.5, \"Flag = 1\", False)\r\n"
                     "Flag = CreateTimedEvent(40, \"Flag = 2\", True)"));
    EXPECT_EQ(Var("Counter"), 1);
    EXPECT_EQ(Var("Flag"), 2);
    EXPECT_EQ(events.Timer(1)->Interval(), 500);
    EXPECT_EQ(events.Timer(2)->Interval(), 40000);
    EXPECT_TRUE(events.Record(2).repeat);
    EXPECT_EQ(events.Record(2).code, "Flag = 2");

    // Removed events keep their element: numbers are not reused.
    ASSERT_FALSE(
        Run("Action.RemoveTimedEvent 1\r\nCounter = Action.CreateTimedEvent(65, \"\", 0)"));
    EXPECT_EQ(Var("Counter"), 3);
    EXPECT_FALSE(events.Record(1).active);
    EXPECT_EQ(events.Timer(3)->Interval(), 65000);
    // Past 65 seconds nothing is created and nothing said; 0 and unknown numbers do nothing.
    ASSERT_FALSE(Run("Counter = Action.CreateTimedEvent(66, \"Flag = 3\", False)\r\n"
                     "Action.RemoveTimedEvent 0\r\nAction.RemoveTimedEvent 99"));
    EXPECT_EQ(Var("Counter"), 0);
    EXPECT_EQ(events.UBound(), 3);
    EXPECT_TRUE(prompts.History().empty());

    // A negative duration is refused by the timer, after the element was made.
    ASSERT_FALSE(Run("Counter = Action.CreateTimedEvent(-1, \"Flag = 4\", False)\r\n"
                     "Action.RemoveTimedEvent -2\r\n"
                     "Flag = Action.CreateTimedEvent(\"soon\", \"Flag = 5\", False)"));
    EXPECT_EQ(Var("Counter"), 0);
    EXPECT_EQ(Var("Flag"), 0);
    EXPECT_EQ(
        BoxTexts(),
        (std::vector<std::string>{
            CommonErrorText(" Unable to create the timed event #4. ", "Invalid property value"),
            CommonErrorText(" Unable to remove the timed event #-2. ", "Subscript out of range"),
            CommonErrorText(" Unable to create the timed event #0. ", "Type mismatch")}));
    EXPECT_EQ(events.UBound(), 4);
}

TEST_F(TimedEventsTest, APauseLosesTheElapsedTimeAndAStartKeepsRunningIntervals) {
    Start();
    ASSERT_FALSE(Run("CreateTimedEvent 30, \"Flag = 1\", True"));
    const ScriptTimer& first = *scripts->Events().Timer(1);
    ASSERT_TRUE(first.Running()); // started once the script ended without a frame change
    EXPECT_EQ(first.Starts(), 1u);

    // A second script's end starts the new event and leaves the running one alone.
    ASSERT_FALSE(Run("CreateTimedEvent 30, \"Flag = 2\", True"));
    EXPECT_EQ(first.Starts(), 1u);
    EXPECT_TRUE(scripts->Events().Timer(2)->Running());

    // The save window pauses and restarts them: each interval begins again.
    scripts->Events().PauseTimedEvents();
    EXPECT_FALSE(first.Running());
    scripts->Events().StartTimedEvents();
    EXPECT_TRUE(first.Running());
    EXPECT_EQ(first.Starts(), 2u);

    // The script's own view of the array.
    ASSERT_FALSE(Run("Counter = TimedEventObject.Count\r\n"
                     "If TimedEventObject(1).Enabled Then Counter = Counter + 10\r\n"
                     "Flag = TimedEventObject(2).Interval \\ 1000"));
    EXPECT_EQ(Var("Counter"), 13);
    EXPECT_EQ(Var("Flag"), 30);
}

TEST_F(TimedEventsTest, AOneShotIsDisarmedBeforeItsCodeAndAFailingRepeaterStops) {
    Start();
    // The one-shot's code sees its own timer stopped and may create another event.
    ASSERT_FALSE(Run("CreateTimedEvent 0.001, "
                     "\"If Not TimedEventObject(1).Enabled And TimedEventObject(1).Interval = 0 "
                     "Then Flag = CreateTimedEvent(30, \"\"x\"\", False)\", False"));
    ASSERT_TRUE(PumpUntil([&] { return Var("Flag") != 0; }));
    EXPECT_EQ(Var("Flag"), 2);
    EXPECT_FALSE(scripts->Events().Record(1).active);
    EXPECT_TRUE(scripts->Events().Timer(2)->Running());

    // A repeating event that fails is disabled at its first failing run.
    ASSERT_FALSE(Run("CreateTimedEvent 0.001, \"Counter = Counter + 1 : Flag = 1 / 0\", True"));
    ASSERT_TRUE(PumpUntil([&] { return !prompts.History().empty(); }));
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{ScriptErrorText("Division by zero")});
    EXPECT_EQ(Var("Counter"), 1);
    EXPECT_FALSE(scripts->Events().Record(3).active);
    EXPECT_FALSE(scripts->Events().Timer(3)->Running());
    // Other events go on.
    EXPECT_TRUE(scripts->Events().Timer(2)->Running());
}

TEST_F(TimedEventsTest, AnEventThatChangesTheFrameRemovesEveryEvent) {
    Start();
    ASSERT_FALSE(
        Run("CreateTimedEvent 0.001, "
            "\"CreateTimedEvent 1, \"\"Flag = 1\"\", True : GoToFrame \"\"Cellar\"\", 0, 1\", "
            "False\r\nCreateTimedEvent 30, \"Flag = 2\", True"));
    ASSERT_TRUE(PumpUntil([&] { return !window.calls.empty(); }));
    EXPECT_EQ(window.calls, std::vector<std::string>{"open Cellar"});
    EXPECT_EQ(scripts->Events().UBound(), 0);
}

TEST_F(TimedEventsTest, TimerObjectsCallTheirProcedureUntilAScriptStopsThem) {
    Start("Sub TimerObject2\r\n  Counter = Counter + 1\r\n"
          "  If Counter = 3 Then TimerObject(2).Enabled = False : GoToFrame \"Cellar\", 0, 1\r\n"
          "End Sub");
    TimerObjects& timers = scripts->TimerObjectArray();
    timers.LoadElement(1);
    timers.LoadElement(2);
    EXPECT_THROW(timers.LoadElement(2), vbs::ScriptError);
    ASSERT_FALSE(Run("TimerObject(1).Interval = 1 : TimerObject(1).Enabled = True\r\n"
                     "TimerObject(2).Tag = \"two\" : TimerObject(2).Interval = 1\r\n"
                     "TimerObject(2).Enabled = True\r\nFlag = TimerObject.UBound"));
    EXPECT_EQ(Var("Flag"), 2);

    // Element 1 has no procedure: the script error box on every tick, and it goes on.
    ASSERT_TRUE(PumpUntil([&] { return prompts.History().size() >= 2 && Var("Counter") == 3; }));
    for (const std::string& text : BoxTexts())
        EXPECT_EQ(text.rfind(ScriptErrorText(""), 0), 0u) << text;
    EXPECT_TRUE(timers.Element(1)->Running());
    EXPECT_FALSE(timers.Element(2)->Running());
    EXPECT_EQ(window.calls, std::vector<std::string>{"open Cellar"});

    ASSERT_FALSE(Run("TimerObject(1).Enabled = False\r\nFlag = TimerObject(2).Index\r\n"
                     "On Error Resume Next\r\nCounter = TimerObject(7).Interval\r\n"
                     "Counter = Err.Number"));
    EXPECT_EQ(Var("Flag"), 2);
    EXPECT_EQ(Var("Counter"), 340);
    EXPECT_FALSE(timers.Element(1)->Running());
    // The game reset unloads them all.
    scripts->ResetForGame();
    EXPECT_EQ(timers.Element(1), nullptr);
}

// A message box that handles window events until a timer's tick has been held back, as a real
// box keeps the window alive while it is open.
class PumpingPrompts : public ScriptedPrompts {
public:
    std::function<bool()> until;
    BoxResult MessageBox(const std::string& text, int style, const std::string& title) override {
        if (until) PumpEvents(until);
        return ScriptedPrompts::MessageBox(text, style, title);
    }
    static void PumpEvents(const std::function<bool()>& done) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!done() && std::chrono::steady_clock::now() < deadline)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
};

TEST_F(TimedEventsTest, ATickDuringAMessageBoxWaitsUntilTheScriptHasEnded) {
    PumpingPrompts pumping;
    SetPrompts(&pumping);
    Start();
    ASSERT_FALSE(Run("CreateTimedEvent 0.001, \"Flag = Flag + 1\", True"));
    int flagDuringBox = -1;
    pumping.until = [&] {
        if (scripts->TicksWaiting() == 0) return false;
        flagDuringBox = Var("Flag");
        return true;
    };
    // The first script asks for the save window, then shows a box while the event ticks.
    ASSERT_FALSE(Run("Action.PopupSaveGame\r\nCounter = 1\r\nMsgBox \"wait\"\r\n"
                     "Counter = Counter + 10"));
    EXPECT_EQ(flagDuringBox, 0);
    EXPECT_EQ(Var("Counter"), 11);
    EXPECT_EQ(window.calls, std::vector<std::string>{"save window"});
    // Once the engine is free the event runs again.
    pumping.until = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return Var("Flag") > 0; }));
    SetPrompts(&prompts);
}

} // namespace
} // namespace quillora::test
