// The project's procedure library (Config/Procedures): the VBScript source an author wrote in the
// editor, stored as plain lines or scrambled ones.
#pragma once

#include <cstdint>
#include <string>

namespace quillora {

// The sum of the Windows-1252 codes of a text's characters: the key of scrambled lines.
int32_t SumOfCharCodes(const std::string& text);

// Unscrambles one stored line (Windows-1252 bytes) with the key: the first character carries a
// shift, the rest holds the text backwards, each printable character moved along the 94 printable
// codes by the key, its position and a fixed letter table; other characters pass unchanged.
// Throws ClassicError (Overflow) where the 32-bit arithmetic of the classic player overflows.
std::string DecryptLine(const std::string& text, int32_t key);

// The procedure library as one UTF-8 text, lines joined by CR LF: Config/Procedures without its
// three header lines, unscrambled when More's General/ProcEncr is 1 (the key being the project
// name's SumOfCharCodes). No file gives an empty library; a file that cannot be read (one of
// three lines or fewer included) shows "Error loading projet procedures." and gives an empty one.
std::string LoadProjectProcedures();

} // namespace quillora
