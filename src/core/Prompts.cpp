// Box button rules and the scripted prompt service.
#include "core/Prompts.h"

#include "core/Cp1252.h"

namespace quillora {

bool IsErrorBox(int style) {
    const int icon = style & 0x70;
    return icon == BoxStyle::Critical || (icon == BoxStyle::Exclamation && (style & 7) == 0);
}

std::vector<BoxResult> BoxButtons(int style) {
    using R = BoxResult;
    switch (style & 7) {
    case BoxStyle::OKCancel: return {R::OK, R::Cancel};
    case BoxStyle::AbortRetryIgnore: return {R::Abort, R::Retry, R::Ignore};
    case BoxStyle::YesNoCancel: return {R::Yes, R::No, R::Cancel};
    case BoxStyle::YesNo: return {R::Yes, R::No};
    case BoxStyle::RetryCancel: return {R::Retry, R::Cancel};
    default: return {R::OK};
    }
}

BoxResult DefaultBoxResult(int style) {
    const auto buttons = BoxButtons(style);
    const size_t index = static_cast<size_t>((style >> 8) & 3);
    return index < buttons.size() ? buttons[index] : buttons.front();
}

std::string BoxResultName(BoxResult result) {
    switch (result) {
    case BoxResult::OK: return "OK";
    case BoxResult::Cancel: return "Cancel";
    case BoxResult::Abort: return "Abort";
    case BoxResult::Retry: return "Retry";
    case BoxResult::Ignore: return "Ignore";
    case BoxResult::Yes: return "Yes";
    case BoxResult::No: return "No";
    }
    return "OK";
}

void ScriptedPrompts::Record(const std::string& title, const std::string& text, int style) {
    EchoBox(title, text);
    m_history.push_back({title, text, style});
    if (m_observer) m_observer(m_history.back());
}

BoxResult ScriptedPrompts::MessageBox(const std::string& text, int style,
                                      const std::string& title) {
    Record(title, text, style);
    if (m_answers.empty()) return DefaultBoxResult(style);
    const std::string answer = m_answers.front();
    m_answers.erase(m_answers.begin());
    for (const BoxResult button : BoxButtons(style)) {
        if (EqualsNoCase(BoxResultName(button), answer)) return button;
    }
    return DefaultBoxResult(style);
}

std::optional<std::string> ScriptedPrompts::InputBox(const std::string& prompt,
                                                     const std::string& title,
                                                     const std::string& defaultText) {
    Record(title, prompt, kInputStyle);
    if (m_answers.empty()) return defaultText;
    std::string answer = m_answers.front();
    m_answers.erase(m_answers.begin());
    if (EqualsNoCase(answer, "Cancel")) return std::nullopt;
    return answer;
}

std::string BoxLine(const std::string& title, const std::string& text) {
    std::string line = title.empty() ? "" : title + ": ";
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            line += " / ";
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            line += c;
        }
    }
    return line;
}

namespace {
PromptService* g_prompts = nullptr;
std::FILE* g_messageLog = nullptr;
} // namespace

void SetMessageLog(std::FILE* stream) {
    g_messageLog = stream;
}

void LogNotice(const std::string& line) {
    if (g_messageLog == nullptr) return;
    std::fprintf(g_messageLog, "%s\n", line.c_str());
    std::fflush(g_messageLog);
}

void EchoBox(const std::string& title, const std::string& text) {
    LogNotice(BoxLine(title, text));
}

PromptService& Prompts() {
    static ScriptedPrompts fallback;
    return g_prompts ? *g_prompts : fallback;
}

void SetPrompts(PromptService* service) {
    g_prompts = service;
}

} // namespace quillora
