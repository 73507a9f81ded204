// The 61 interface texts: button captions, window titles and messages, in two wordings or
// replaced by the project's own texts file.
#pragma once

#include <array>
#include <string>

namespace quillora {

inline constexpr int kInterfaceTextCount = 61;

using InterfaceTexts = std::array<std::string, kInterfaceTextCount>;

// The process-wide table.
InterfaceTexts& Texts();
// Entry n of the table (0..60); empty for any other n.
const std::string& Text(int n);

// Fills entries 1 to 51 with the program wording (false) or the game wording (true).
void SetDefaultTexts(bool gameWording);

// Reads Paths().Config + "Texts": mode 0 program wording, 1 game wording, 2 program wording
// with the first N entries replaced. Without the file: program wording. A damaged file shows
// "Unable to load text." and falls back to the program wording.
void LoadInterfaceTexts();

} // namespace quillora
