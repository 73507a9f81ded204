// Reads value-list files with the classic sequential-file Input # rules, value by value.
#pragma once

#include "core/ClassicError.h"
#include "core/ListValue.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quillora {

// One value as it stands in the file: raw Windows-1252 bytes, and whether it was quoted.
struct RawValue {
    std::string bytes;
    bool quoted = false;
};

// The separator value that ends every record of a sectioned frame file.
inline constexpr std::string_view kSectionSeparator = "----- SEPARATOR -----";

// Reads values separated by commas or line breaks (CR LF, LF or CR). A quoted value runs to the
// closing quote and has no escapes; text after it up to the separator is dropped. An unquoted
// value is trimmed of spaces and tabs and ends at a comma or a line break. An empty field (two
// separators in a row, or a blank line) is an empty value. Booleans are #TRUE# and #FALSE#; the
// bare words True and False (any case) are accepted as well, as some hand-edited files use them.
// Numbers use "." as the decimal point. Failures throw ClassicError with the classic texts.
class ValueListReader {
public:
    // Takes the whole file content (Windows-1252 bytes).
    explicit ValueListReader(std::string bytes);

    // Game files are text of a few kilobytes; anything near this is damaged or hostile.
    static constexpr size_t kMaxFileBytes = 64 * 1024 * 1024;

    // Opens a file through the case-insensitive path lookup and reads it whole.
    // Throws "File not found" when it does not exist, "Bad file name or number" for an empty
    // name, a folder, a device or a pipe, "Out of memory" past kMaxFileBytes.
    static ValueListReader Open(const std::string& path);

    // Typed reads. Strings come back as UTF-8. Integers round half to even, and fail with
    // "Overflow" outside their range; text that is not a number fails with "Type mismatch".
    std::string ReadString();
    int16_t ReadInt16();
    int32_t ReadInt32();
    double ReadDouble();
    bool ReadBool();
    // Reads a value of whatever kind and converts it as a Variant slot would.
    ListValue ReadVariant();
    void Skip();
    RawValue ReadRaw();

    // True when no byte is left (the classic EOF()).
    bool AtEnd() const { return m_pos >= m_bytes.size(); }
    // True at the end of the file or when the next value is the section separator; the read
    // position is left where it was.
    bool IsEndOfSection();
    // Skips values up to and including the next section separator; false at end of file.
    bool SkipToNextSection();

    size_t Position() const { return m_pos; }

    // A failing read names the file (Open gives its path), the line of the value, its field's
    // name where the format gives names (in file order, "" for a value without one), what was
    // expected and what was found, in the error's Detail.
    void SetName(std::string name) { m_name = std::move(name); }
    void SetFieldNames(std::vector<std::string> names) { m_fieldNames = std::move(names); }
    // How many values were read (the number, from 1, of the last one).
    int ValuesRead() const { return m_valuesRead; }
    // The line (from 1) where the last value read starts.
    int LastValueLine() const;

private:
    void SkipBlanks();
    void SkipDelimiter();
    double ParseNumber(const RawValue& value) const;
    // The file, line and field of the last value read, for messages.
    std::string Place() const;
    [[noreturn]] void Fail(ClassicError& error, const RawValue& value,
                           const std::string& expected) const;

    std::string m_bytes;
    size_t m_pos = 0;
    std::string m_name;
    std::vector<std::string> m_fieldNames;
    size_t m_valueStart = 0;
    int m_valuesRead = 0;
    // LastValueLine's count so far: the line at byte m_linesCountedTo.
    mutable size_t m_linesCountedTo = 0;
    mutable int m_linesBefore = 1;
};

// Turns every "|" of a stored script text into a double quote.
std::string DecodeBars(std::string text);

// Parses a number written with "." as the decimal point (optional sign, digits, fraction,
// exponent; also "&H" hex and "&O" octal). Returns false when the text is not a number.
bool ParseClassicNumber(std::string_view text, double& result);

// The value of a double rounded half to even as a 16- or 32-bit integer; throws "Overflow".
int16_t ToInt16(double value);
int32_t ToInt32(double value);

} // namespace quillora
