// The player's common error message and the warnings built from the interface texts.
#pragma once

#include <string>

namespace quillora {

// Text 30, CR LF, CR LF, text 31, then the routine's own literal (which starts with a space)
// and the error's description when there is one.
std::string CommonErrorText(const std::string& literal, const std::string& description = "");

// Shows the common error message: critical icon, title text 29.
void ShowCommonError(const std::string& literal, const std::string& description = "");

} // namespace quillora
