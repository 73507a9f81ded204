// The prompt service shown to players: Qt message boxes and input dialogs.
#pragma once

#include "core/Prompts.h"

namespace quillora {

class QtPrompts : public PromptService {
public:
    BoxResult MessageBox(const std::string& text, int style, const std::string& title) override;
    std::optional<std::string> InputBox(const std::string& prompt, const std::string& title,
                                        const std::string& defaultText) override;
};

} // namespace quillora
