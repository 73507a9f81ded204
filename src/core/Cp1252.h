// Windows-1252 text: the byte encoding of every project file, converted to and from UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace quillora {

// Decodes Windows-1252 bytes to UTF-8. The five undefined bytes map to the C1 controls U+0081...
std::string Cp1252ToUtf8(std::string_view bytes);

// Encodes UTF-8 text as Windows-1252 bytes; characters outside the code page become '?'.
// Malformed UTF-8 bytes are taken as Windows-1252 bytes, so no input is ever lost.
std::string Utf8ToCp1252(std::string_view text);

// The Windows-1252 code (0..255) of a Unicode code point, or -1 when it has none.
int CodePointToCp1252(char32_t cp);

// The Unicode code point of a Windows-1252 byte.
char32_t Cp1252ToCodePoint(unsigned char byte);

// Decodes the next UTF-8 character of text at pos and advances pos; malformed bytes decode as
// their Windows-1252 meaning so that byte strings survive a round trip.
char32_t NextCodePoint(std::string_view text, size_t& pos);

// Appends the UTF-8 form of a code point.
void AppendUtf8(std::string& out, char32_t cp);

// Lower-cases UTF-8 text for comparisons without regard to letter case (ASCII and Latin-1,
// plus the Windows-1252 letters outside it).
std::string FoldCase(std::string_view text);

// Compares two UTF-8 texts without regard to letter case.
bool EqualsNoCase(std::string_view a, std::string_view b);

} // namespace quillora
