// Runs an autoplay script against a player session, in real time, one command after another.
#pragma once

#include "app/AutoplayScript.h"
#include "core/Prompts.h"

#include <QObject>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace quillora {

class Game;
class PlayerSession;

// Measures how long the program's own work keeps input waiting: the most processor time the
// main thread spends between two turns of its event loop (nested loops, such as a game's waits
// and modal boxes, count as turns). Processor time rather than wall time, so a busy machine
// does not make a game look unresponsive.
class ResponsivenessMeter : public QObject {
    Q_OBJECT

public:
    // Starts measuring at once; the loop is sampled every `periodMs` milliseconds.
    explicit ResponsivenessMeter(int periodMs = 20);
    // The longest stretch so far, in milliseconds of main-thread processor time, including the
    // stretch still running.
    double LongestBusyMs() const;

private:
    void Sample();
    static long long ThreadCpuNs();

    QTimer m_timer;
    long long m_lastNs;
    long long m_longestNs = 0;
};

class Autoplay : public QObject {
    Q_OBJECT

public:
    // Exit statuses of an autoplay run.
    static constexpr int kSuccess = 0;
    static constexpr int kUnmetExpectation = 1;
    static constexpr int kUnreadableLine = 2;

    // Installs its scripted prompt service (answers from `answer` lines; every box is printed
    // as "box: TITLE | TEXT" on out).
    Autoplay(std::vector<AutoplayCommand> commands, PlayerSession& session, std::FILE* out,
             std::FILE* err);
    ~Autoplay() override;

    // With strict set, the first error box (IsErrorBox) ends the run with kUnmetExpectation.
    void SetStrict(bool strict) { m_strict = strict; }
    // Starts running the commands once the event loop runs.
    void Start();
    // The run is over (Finished was emitted).
    bool IsFinished() const { return m_finished; }
    // Records a message shown in the message bar (boxes are seen through the prompts).
    void NoteMessage(const std::string& text) { m_lastMessage = text; }
    // Called when the program ends on its own; commands left unrun count as unmet.
    void ProgramEnded();

signals:
    // The script is over; the program should end with this status.
    void Finished(int exitStatus);

private:
    void RunNext();
    // Makes the command after the current one due. Input commands call it just before the event
    // that may start a wait of the game (a video, the sliding bar), so the next commands run
    // during that wait as a player's input would; other commands once they are over.
    void ArmNextCommand();
    // The game is in a wait that ignores input: the inventory bar slides, or a video settles.
    bool GameDropsInput() const;
    // Whether a `save` may run now: not during one of the game's waits, which it outwaits for
    // kSaveHoldMs before it fails (false: it comes again later, or failed).
    bool SaveMayStart();
    static constexpr int kSaveHoldMs = 10000;
    // The current frame of the game in progress; empty when no game runs.
    std::string CurrentFrameName() const;
    // Runs one command; false when it failed (the failure was reported).
    bool Run(const AutoplayCommand& command);
    void Fail(const AutoplayCommand& command, const std::string& message, int status);
    void Finish(int status);

    bool Screenshot(const AutoplayCommand& command);
    bool Click(const AutoplayCommand& command, Qt::MouseButton button);
    bool ClickWindow(const AutoplayCommand& command, Qt::MouseButton button);
    bool Move(const AutoplayCommand& command);
    bool Drag(const AutoplayCommand& command);
    bool Key(const AutoplayCommand& command);
    // script CODE: runs the code as the debug menu's prompt does.
    bool RunScript(const AutoplayCommand& command);
    // save NAME / load NAME through the save and load windows.
    bool SaveOrLoad(const AutoplayCommand& command, bool save);
    bool WaitFrame(const AutoplayCommand& command);
    // Holds the later commands back until the game is in none of its waits.
    bool WaitIdle(const AutoplayCommand& command);
    bool Expect(const AutoplayCommand& command);
    // The game window, or nothing (with the failure reported) when no game runs.
    Game* RunningGame(const AutoplayCommand& command);

    std::vector<AutoplayCommand> m_commands;
    size_t m_next = 0;
    PlayerSession& m_session;
    ScriptedPrompts m_prompts;
    std::FILE* m_out;
    std::FILE* m_err;
    QTimer m_timer;
    // Set by wait-idle: until then (steady clock), the next command waits for the game to be idle.
    std::optional<std::chrono::steady_clock::time_point> m_idleDeadline;
    std::optional<std::chrono::steady_clock::time_point> m_saveDeadline; // a save held since
    const AutoplayCommand* m_current = nullptr;
    bool m_nextArmed = false;
    bool m_finished = false;
    bool m_strict = false;
    std::string m_lastMessage;
    ResponsivenessMeter m_responsiveness;
};

// The one-line form of a box for the autoplay log: line breaks become "\n".
std::string BoxLogLine(const std::string& title, const std::string& text);

} // namespace quillora
