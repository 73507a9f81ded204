// The autoplay runner.
#include "app/Autoplay.h"

#include "app/PlayerSession.h"
#include "core/Clock.h"
#include "game/GameSession.h"
#include "services/Wait.h"
#include "ui/Game.h"
#include "ui/LoadGameDialog.h"
#include "ui/SaveGameDialog.h"

#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QWidget>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <memory>

namespace quillora {
namespace {

std::string OneLine(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            out += "\\n";
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else if (text[i] == '\n') {
            out += "\\n";
        } else {
            out += text[i];
        }
    }
    return out;
}

bool IsWholeNumber(const std::string& word) {
    if (word.empty()) return false;
    for (const char c : word) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

// The value of an integer or variant variable as text; nothing when there is no such variable.
std::optional<std::string> VariableText(const GameSession* game, const std::string& name) {
    if (game == nullptr) return std::nullopt;
    const ProjectVariables& vars = game->State.Vars;
    for (const auto& v : vars.Variables) {
        if (v->Name == name) return std::to_string(v->Value);
    }
    for (const auto& v : vars.VariablesVariant) {
        if (v->Name == name) return VariantText(v->Value);
    }
    return std::nullopt;
}

bool IsInput(const AutoplayCommand& command) {
    const std::string& verb = command.verb;
    return verb == "click" || verb == "rclick" || verb == "move" || verb == "key" || verb == "drag";
}

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

} // namespace

ResponsivenessMeter::ResponsivenessMeter(int periodMs) : m_lastNs(ThreadCpuNs()) {
    connect(&m_timer, &QTimer::timeout, this, &ResponsivenessMeter::Sample);
    m_timer.start(periodMs);
}

long long ResponsivenessMeter::ThreadCpuNs() {
    timespec now{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

void ResponsivenessMeter::Sample() {
    const long long now = ThreadCpuNs();
    m_longestNs = std::max(m_longestNs, now - m_lastNs);
    m_lastNs = now;
}

double ResponsivenessMeter::LongestBusyMs() const {
    return static_cast<double>(std::max(m_longestNs, ThreadCpuNs() - m_lastNs)) / 1e6;
}

std::string BoxLogLine(const std::string& title, const std::string& text) {
    return "box: " + OneLine(title) + " | " + OneLine(text);
}

Autoplay::Autoplay(std::vector<AutoplayCommand> commands, PlayerSession& session, std::FILE* out,
                   std::FILE* err)
    : m_commands(std::move(commands)), m_session(session), m_out(out), m_err(err) {
    m_prompts.SetObserver([this](const ScriptedPrompts::Shown& box) {
        m_lastMessage = box.text;
        std::fprintf(m_out, "%s\n", BoxLogLine(box.title, box.text).c_str());
        std::fflush(m_out);
        if (m_strict && !m_finished && box.style != ScriptedPrompts::kInputStyle &&
            IsErrorBox(box.style)) {
            const std::string message = "an error box (--strict): " + BoxLine(box.title, box.text);
            if (m_current != nullptr) {
                Fail(*m_current, message, kUnmetExpectation);
            } else {
                std::fprintf(m_err, "autoplay: %s\n", message.c_str());
                std::fflush(m_err);
                Finish(kUnmetExpectation);
            }
        }
    });
    SetPrompts(&m_prompts);
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &Autoplay::RunNext);
}

Autoplay::~Autoplay() {
    SetPrompts(nullptr);
}

void Autoplay::Start() {
    m_timer.start(0);
}

void Autoplay::ProgramEnded() {
    if (m_finished) return;
    if (m_next < m_commands.size()) {
        Fail(m_commands[m_next], "the program ended before this command", kUnmetExpectation);
    } else {
        Finish(kSuccess);
    }
}

std::string Autoplay::CurrentFrameName() const {
    const GameSession* game = m_session.CurrentGame();
    return game != nullptr ? game->CurrentFrame.Name : "";
}

void Autoplay::RunNext() {
    if (m_finished) return;
    if (m_idleDeadline) {
        if (WaitScope::Depth() > 0) {
            if (std::chrono::steady_clock::now() < *m_idleDeadline) {
                m_timer.start(10);
                return;
            }
            Fail(m_commands[m_next - 1], "the game is still busy", kUnmetExpectation);
            return;
        }
        m_idleDeadline.reset();
    }
    if (m_next >= m_commands.size()) {
        Finish(kSuccess);
        return;
    }
    if (m_commands[m_next].verb == "save" && !SaveMayStart()) return;
    if (IsInput(m_commands[m_next]) && GameDropsInput()) {
        // The bar is sliding or a video is about to start: the game would drop the input, so it
        // comes a moment later, as a player's second try would.
        m_timer.start(10);
        return;
    }
    const AutoplayCommand& command = m_commands[m_next++];
    m_current = &command;
    m_nextArmed = false;
    const bool ok = Run(command);
    if (!ok || m_finished) {
        m_timer.stop();
        return;
    }
    ArmNextCommand();
}

bool Autoplay::SaveMayStart() {
    // A player's save waits until the game's waits have ended (the game would be stored half
    // done); so does this one, for a while.
    if (WaitScope::Depth() == 0) {
        m_saveDeadline.reset();
        return true;
    }
    const auto now = std::chrono::steady_clock::now();
    if (!m_saveDeadline) m_saveDeadline = now + std::chrono::milliseconds(kSaveHoldMs);
    if (now < *m_saveDeadline) {
        m_timer.start(10);
    } else {
        Fail(m_commands[m_next], "the game is still busy", kUnmetExpectation);
    }
    return false;
}

bool Autoplay::GameDropsInput() const {
    Game* game = m_session.GameWindow();
    const GameSession* session = m_session.CurrentGame();
    return game != nullptr && session != nullptr &&
           (game->Items().Moving() || session->State.VideoWaitActive);
}

void Autoplay::ArmNextCommand() {
    if (m_nextArmed || m_current == nullptr) return;
    m_nextArmed = true;
    m_timer.start(m_current->verb == "wait" ? std::stoi(m_current->args[0]) : 0);
}

bool Autoplay::WaitIdle(const AutoplayCommand& command) {
    // The game's waits are further down the stack when this runs during one of them: the hold
    // is checked each time the next command is due, never in a loop of its own.
    const int ms = command.args.empty() ? 5000 : std::stoi(command.args[0]);
    m_idleDeadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    return true;
}

bool Autoplay::Run(const AutoplayCommand& command) {
    const std::string& verb = command.verb;
    if (verb == "wait") return true;
    if (verb == "answer") {
        m_prompts.QueueAnswer(command.rest);
        return true;
    }
    if (verb == "screenshot") return Screenshot(command);
    if (verb == "click") return Click(command, Qt::LeftButton);
    if (verb == "rclick") return Click(command, Qt::RightButton);
    if (verb == "move") return Move(command);
    if (verb == "key") return Key(command);
    if (verb == "wait-frame") return WaitFrame(command);
    if (verb == "wait-idle") return WaitIdle(command);
    if (verb == "drag") return Drag(command);
    if (verb == "script") return RunScript(command);
    if (verb == "save") return SaveOrLoad(command, true);
    if (verb == "load") return SaveOrLoad(command, false);
    if (verb.rfind("expect-", 0) == 0) return Expect(command);
    if (verb == "quit") {
        Finish(kSuccess);
        m_session.Quit();
        return true;
    }
    Fail(command, Quoted(verb) + " is not available in this version of the player",
         kUnreadableLine);
    return false;
}

bool Autoplay::RunScript(const AutoplayCommand& command) {
    Game* game = RunningGame(command);
    if (game == nullptr) return false;
    // The later commands run during the waits the code starts (a video, a message box), as
    // they do during a click's.
    ArmNextCommand();
    game->RunScriptCode(command.rest);
    return true;
}

Game* Autoplay::RunningGame(const AutoplayCommand& command) {
    Game* game = m_session.GameWindow();
    if (game == nullptr || !game->isVisible()) {
        Fail(command, "no game is running", kUnmetExpectation);
        return nullptr;
    }
    return game;
}

bool Autoplay::Screenshot(const AutoplayCommand& command) {
    Game* game = m_session.GameWindow();
    const QString file = QString::fromStdString(command.rest);
    bool saved = false;
    if (game != nullptr && game->isVisible()) {
        saved = game->FrameArea().Capture().save(file, "PNG");
    } else if (QWidget* window = m_session.VisibleWindow()) {
        saved = window->grab().save(file, "PNG");
    }
    if (!saved)
        Fail(command, "cannot write the screenshot " + Quoted(command.rest), kUnmetExpectation);
    return saved;
}

// Clicks at a pixel of the window a player sees: the frame area of a running game, else the
// welcome window itself.
bool Autoplay::Click(const AutoplayCommand& command, Qt::MouseButton button) {
    Game* game = m_session.GameWindow();
    if (game == nullptr || !game->isVisible()) return ClickWindow(command, button);
    PictureBox& box = game->FrameArea();
    const QPointF frame(std::stoi(command.args[0]) + 0.5, std::stoi(command.args[1]) + 0.5);
    const QPointF local = box.FrameToWidget(frame);
    const QPointF global = box.mapToGlobal(local);
    QMouseEvent move(QEvent::MouseMove, local, global, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&box, &move);
    QMouseEvent press(QEvent::MouseButtonPress, local, global, button, button, Qt::NoModifier);
    ArmNextCommand();
    QApplication::sendEvent(&box, &press);
    // The press may have closed the game (a quit action): release only into a live window.
    if (m_session.GameWindow() == game) {
        QMouseEvent release(QEvent::MouseButtonRelease, local, global, button, Qt::NoButton,
                            Qt::NoModifier);
        QApplication::sendEvent(&game->FrameArea(), &release);
    }
    return true;
}

bool Autoplay::ClickWindow(const AutoplayCommand& command, Qt::MouseButton button) {
    QWidget* window = m_session.VisibleWindow();
    if (window == nullptr || !window->isVisible()) {
        Fail(command, "no window is shown", kUnmetExpectation);
        return false;
    }
    const QPoint at(std::stoi(command.args[0]), std::stoi(command.args[1]));
    QWidget* target = window->childAt(at);
    if (target == nullptr) target = window;
    const QPointF local = target->mapFrom(window, QPointF(at));
    const QPointF global = target->mapToGlobal(local);
    QMouseEvent press(QEvent::MouseButtonPress, local, global, button, button, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, button, Qt::NoButton,
                        Qt::NoModifier);
    // Buttons act on the release.
    ArmNextCommand();
    QApplication::sendEvent(target, &release);
    return true;
}

// Presses on inventory item N (wherever the bar is) and releases at frame pixel X,Y.
bool Autoplay::Drag(const AutoplayCommand& command) {
    Game* game = RunningGame(command);
    if (game == nullptr) return false;
    const int index = std::stoi(command.args[0]);
    SceneElement* item = index > 0 ? game->Scene().PickedObject.Item(index) : nullptr;
    if (item == nullptr) {
        Fail(command, "there is no inventory item " + command.args[0], kUnmetExpectation);
        return false;
    }
    if (auto press = item->OnMouseDown) press(ElementMouse{MouseButton::Left, 0, 0, 0});
    PictureBox& box = game->FrameArea();
    const QPointF local = box.FrameToWidget(
        QPointF(std::stoi(command.args[1]) + 0.5, std::stoi(command.args[2]) + 0.5));
    QMouseEvent release(QEvent::MouseButtonRelease, local, box.mapToGlobal(local), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    ArmNextCommand();
    QApplication::sendEvent(&box, &release);
    return true;
}

bool Autoplay::SaveOrLoad(const AutoplayCommand& command, bool save) {
    Game* game = m_session.GameWindow();
    const bool inGame = game != nullptr && game->isVisible();
    if (save && !inGame) {
        Fail(command, "no game is running", kUnmetExpectation);
        return false;
    }
    // The window is modal: it is filled in and its button pressed once it shows, as a player
    // would; one that is still open afterwards did not save or load (its box said why).
    auto problem = std::make_shared<std::string>();
    QTimer::singleShot(0, this, [problem, save, name = command.rest] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* dialog = qobject_cast<SaveGameDialog*>(modal)) {
            dialog->SetName(name);
            dialog->Save();
        } else if (auto* dialog = qobject_cast<LoadGameDialog*>(modal)) {
            if (dialog->Select(name)) {
                dialog->Load();
            } else {
                *problem = "there is no saved game " + Quoted(name);
            }
        }
        if (modal != nullptr && modal->isVisible()) {
            if (problem->empty())
                *problem = std::string("the game was not ") + (save ? "saved" : "loaded");
            modal->close();
        }
    });
    if (save) {
        game->ShowSaveGameWindow();
    } else if (inGame) {
        game->ShowLoadGameWindow(false);
    } else {
        m_session.ShowLoadGameWindow();
    }
    if (!problem->empty()) {
        Fail(command, *problem, kUnmetExpectation);
        return false;
    }
    return true;
}

bool Autoplay::Move(const AutoplayCommand& command) {
    Game* game = RunningGame(command);
    if (game == nullptr) return false;
    PictureBox& box = game->FrameArea();
    const QPointF local = box.FrameToWidget(
        QPointF(std::stoi(command.args[0]) + 0.5, std::stoi(command.args[1]) + 0.5));
    QMouseEvent move(QEvent::MouseMove, local, box.mapToGlobal(local), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    ArmNextCommand();
    QApplication::sendEvent(&box, &move);
    return true;
}

bool Autoplay::Key(const AutoplayCommand& command) {
    const QKeySequence sequence = QKeySequence::fromString(QString::fromStdString(command.args[0]));
    if (sequence.isEmpty() || sequence[0].key() == Qt::Key_unknown) {
        Fail(command, "unknown key " + Quoted(command.args[0]), kUnreadableLine);
        return false;
    }
    const QKeyCombination combination = sequence[0];
    QWidget* target = m_session.VisibleWindow();
    if (target == nullptr) {
        Fail(command, "no window takes the key", kUnmetExpectation);
        return false;
    }
    QKeyEvent press(QEvent::KeyPress, combination.key(), combination.keyboardModifiers());
    ArmNextCommand();
    QApplication::sendEvent(target, &press);
    if (QWidget* still = m_session.VisibleWindow()) {
        QKeyEvent release(QEvent::KeyRelease, combination.key(), combination.keyboardModifiers());
        QApplication::sendEvent(still, &release);
    }
    return true;
}

bool Autoplay::WaitFrame(const AutoplayCommand& command) {
    int timeoutMs = 5000;
    std::string name = command.rest;
    if (command.args.size() > 1 && IsWholeNumber(command.args.back())) {
        timeoutMs = std::stoi(command.args.back());
        name = name.substr(0, name.rfind(command.args.back()));
        while (!name.empty() && name.back() == ' ')
            name.pop_back();
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (CurrentFrameName() != name) {
        if (std::chrono::steady_clock::now() >= deadline || m_session.GameWindow() == nullptr) {
            Fail(command, "the frame is " + Quoted(CurrentFrameName()) + ", not " + Quoted(name),
                 kUnmetExpectation);
            return false;
        }
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

bool Autoplay::Expect(const AutoplayCommand& command) {
    const std::string& verb = command.verb;
    std::string problem;
    if (verb == "expect-frame") {
        if (CurrentFrameName() != command.rest) {
            problem =
                "the frame is " + Quoted(CurrentFrameName()) + ", not " + Quoted(command.rest);
        }
    } else if (verb == "expect-var") {
        const std::string& name = command.args[0];
        const std::string wanted = command.rest.substr(command.rest.find(name) + name.size() + 1);
        const auto value = VariableText(m_session.CurrentGame(), name);
        if (!value) {
            problem = "there is no variable " + Quoted(name);
        } else if (*value != wanted) {
            problem = name + " is " + Quoted(*value) + ", not " + Quoted(wanted);
        }
    } else if (verb == "expect-visible" || verb == "expect-hidden") {
        Game* game = RunningGame(command);
        if (game == nullptr) return false;
        const int index = std::stoi(command.args[0]);
        const SceneElement* area = index > 0 ? game->Scene().Area.Item(index) : nullptr;
        const bool wantVisible = verb == "expect-visible";
        if (area == nullptr) {
            problem = "the frame has no hotspot " + command.args[0];
        } else if (area->Visible() != wantVisible) {
            problem =
                "hotspot " + command.args[0] + " is " + (area->Visible() ? "visible" : "hidden");
        }
    } else if (verb == "expect-message") {
        if (m_lastMessage != command.rest) {
            problem = "the last message is " + Quoted(OneLine(m_lastMessage)) + ", not " +
                      Quoted(command.rest);
        }
    } else if (verb == "expect-items") {
        Game* game = m_session.GameWindow();
        std::vector<std::string> tags;
        if (game != nullptr) {
            for (const auto& [index, item] : game->Scene().PickedObject.Elements())
                tags.push_back(item->Tag);
        }
        if (tags != command.args) {
            std::string shown;
            for (const std::string& tag : tags)
                shown += (shown.empty() ? "" : " ") + tag;
            problem = "the items are " + Quoted(shown);
        }
    } else if (verb == "expect-responsive") {
        const double longest = m_responsiveness.LongestBusyMs();
        if (longest > std::stod(command.args[0])) {
            problem = "input waited " + std::to_string(static_cast<long long>(longest)) +
                      " ms of processor time, more than " + command.args[0];
        }
    }
    if (problem.empty()) return true;
    Fail(command, problem, kUnmetExpectation);
    return false;
}

void Autoplay::Fail(const AutoplayCommand& command, const std::string& message, int status) {
    std::fprintf(m_err, "autoplay: line %d: %s\n", command.line, message.c_str());
    std::fflush(m_err);
    Finish(status);
}

void Autoplay::Finish(int status) {
    if (m_finished) return;
    m_finished = true;
    m_timer.stop();
    emit Finished(status);
}

} // namespace quillora
