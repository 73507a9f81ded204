// Box button rules and the scripted prompt service.
#include "core/Prompts.h"

#include "core/Cp1252.h"

namespace quillora {

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

void ScriptedPrompts::Record(const std::string& title, const std::string& text) {
    m_history.push_back({title, text});
    if (m_observer) m_observer(m_history.back());
}

BoxResult ScriptedPrompts::MessageBox(const std::string& text, int style,
                                      const std::string& title) {
    Record(title, text);
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
    Record(title, prompt);
    if (m_answers.empty()) return defaultText;
    std::string answer = m_answers.front();
    m_answers.erase(m_answers.begin());
    if (EqualsNoCase(answer, "Cancel")) return std::nullopt;
    return answer;
}

namespace {
PromptService* g_prompts = nullptr;
} // namespace

PromptService& Prompts() {
    static ScriptedPrompts fallback;
    return g_prompts ? *g_prompts : fallback;
}

void SetPrompts(PromptService* service) {
    g_prompts = service;
}

} // namespace quillora
