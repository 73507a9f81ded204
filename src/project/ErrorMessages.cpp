// The common error message box.
#include "project/ErrorMessages.h"

#include "core/Prompts.h"
#include "project/InterfaceTexts.h"

namespace quillora {

std::string CommonErrorText(const std::string& literal, const std::string& description) {
    return Text(30) + "\r\n\r\n" + Text(31) + literal + description;
}

void ShowCommonError(const std::string& literal, const std::string& description) {
    Prompts().MessageBox(CommonErrorText(literal, description), BoxStyle::Critical, Text(29));
}

} // namespace quillora
