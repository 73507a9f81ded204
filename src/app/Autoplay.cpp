// The autoplay runner.
#include "app/Autoplay.h"

#include "app/PlayerSession.h"

#include <QWidget>

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

} // namespace

std::string BoxLogLine(const std::string& title, const std::string& text) {
    return "box: " + OneLine(title) + " | " + OneLine(text);
}

Autoplay::Autoplay(std::vector<AutoplayCommand> commands, PlayerSession& session, std::FILE* out,
                   std::FILE* err)
    : m_commands(std::move(commands)), m_session(session), m_out(out), m_err(err) {
    m_prompts.SetObserver([this](const ScriptedPrompts::Shown& box) {
        std::fprintf(m_out, "%s\n", BoxLogLine(box.title, box.text).c_str());
        std::fflush(m_out);
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

void Autoplay::RunNext() {
    if (m_finished) return;
    if (m_running) {
        // A command is still running (a nested wait inside the game): try again shortly.
        m_timer.start(10);
        return;
    }
    if (m_next >= m_commands.size()) {
        Finish(kSuccess);
        return;
    }
    const AutoplayCommand& command = m_commands[m_next++];
    m_running = true;
    const bool ok = Run(command);
    m_running = false;
    if (!ok || m_finished) return;
    if (command.verb == "wait") {
        m_timer.start(std::stoi(command.args[0]));
    } else {
        m_timer.start(0);
    }
}

bool Autoplay::Run(const AutoplayCommand& command) {
    const std::string& verb = command.verb;
    if (verb == "wait") return true;
    if (verb == "answer") {
        m_prompts.QueueAnswer(command.rest);
        return true;
    }
    if (verb == "screenshot") return Screenshot(command);
    if (verb == "quit") {
        Finish(kSuccess);
        m_session.Quit();
        return true;
    }
    Fail(command, "\"" + verb + "\" is not available in this version of the player",
         kUnreadableLine);
    return false;
}

bool Autoplay::Screenshot(const AutoplayCommand& command) {
    QWidget* window = m_session.VisibleWindow();
    if (window == nullptr || !window->grab().save(QString::fromStdString(command.rest), "PNG")) {
        Fail(command, "cannot write the screenshot \"" + command.rest + "\"", kUnmetExpectation);
        return false;
    }
    return true;
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
