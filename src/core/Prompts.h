// The prompt service: message boxes with the classic buttons, icons and results, and text prompts.
#pragma once

#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quillora {

// Style flags of a message box, combined by addition as the classic MsgBox takes them.
namespace BoxStyle {
inline constexpr int OKOnly = 0, OKCancel = 1, AbortRetryIgnore = 2, YesNoCancel = 3, YesNo = 4,
                     RetryCancel = 5;
inline constexpr int Critical = 16, Question = 32, Exclamation = 48, Information = 64;
inline constexpr int DefaultButton1 = 0, DefaultButton2 = 256, DefaultButton3 = 512,
                     DefaultButton4 = 768;
inline constexpr int SystemModal = 4096;
} // namespace BoxStyle

// Results of a message box.
enum class BoxResult : int {
    OK = 1,
    Cancel = 2,
    Abort = 3,
    Retry = 4,
    Ignore = 5,
    Yes = 6,
    No = 7
};

// True for the boxes that report a fault: the critical-stop icon, or the warning icon with only
// an OK button (a question with the warning icon is not one).
bool IsErrorBox(int style);

// The buttons a style shows, left to right.
std::vector<BoxResult> BoxButtons(int style);
// The result of the style's default button.
BoxResult DefaultBoxResult(int style);
// "OK", "Cancel", "Abort", "Retry", "Ignore", "Yes", "No".
std::string BoxResultName(BoxResult result);

class PromptService {
public:
    virtual ~PromptService() = default;
    // Shows a modal message box and returns the button chosen (Esc gives Cancel where there is
    // one, else the default). Texts are UTF-8; line breaks are CR LF or LF.
    virtual BoxResult MessageBox(const std::string& text, int style, const std::string& title) = 0;
    // Asks for a line of text; nothing when the player cancels.
    virtual std::optional<std::string> InputBox(const std::string& prompt, const std::string& title,
                                                const std::string& defaultText) = 0;
};

// Answers boxes from a queue of answers given in advance: a button name or, for a text prompt,
// the text. A box no answer covers takes its default button; a prompt, its default text.
// Every box is reported to the observer (autoplay prints them).
class ScriptedPrompts : public PromptService {
public:
    struct Shown {
        std::string title;
        std::string text;
        int style = 0; // a text prompt: kInputStyle
    };
    static constexpr int kInputStyle = -1;

    void QueueAnswer(std::string answer) { m_answers.push_back(std::move(answer)); }
    void SetObserver(std::function<void(const Shown&)> observer) {
        m_observer = std::move(observer);
    }
    const std::vector<Shown>& History() const { return m_history; }

    BoxResult MessageBox(const std::string& text, int style, const std::string& title) override;
    std::optional<std::string> InputBox(const std::string& prompt, const std::string& title,
                                        const std::string& defaultText) override;

private:
    void Record(const std::string& title, const std::string& text, int style);

    std::vector<std::string> m_answers;
    std::vector<Shown> m_history;
    std::function<void(const Shown&)> m_observer;
};

// A box as one line of a terminal: "TITLE: TEXT", each line break shown as " / ".
std::string BoxLine(const std::string& title, const std::string& text);
// The terminal log: every message box and text prompt that a prompt service shows is also
// written to this stream as one BoxLine, with the player's one-line notices; null (the default)
// writes nothing.
void SetMessageLog(std::FILE* stream);
// Writes a box to the log, when there is one (the prompt services call it).
void EchoBox(const std::string& title, const std::string& text);
// Writes one line to the log, when there is one: something an author should know that is worth
// no box (a file the game probably meant to ship).
void LogNotice(const std::string& line);

// The process-wide prompt service; a ScriptedPrompts without answers until one is installed.
PromptService& Prompts();
// Installs a service (not owned); nullptr restores the built-in scripted one.
void SetPrompts(PromptService* service);

} // namespace quillora
