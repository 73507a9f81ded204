// Writes value-list files with the classic sequential-file Write # rules.
#pragma once

#include "core/ListValue.h"

#include <string>
#include <vector>

namespace quillora {

// Collects lines of values; each WriteLine call is one Write # statement: the values separated
// by commas, the line ended by CR LF. Strings are quoted without escaping and encoded in
// Windows-1252; numbers use "."; Booleans are #TRUE#/#FALSE#; Null is #NULL#; dates are
// #yyyy-mm-dd hh:mm:ss#; Empty writes nothing.
class ValueListWriter {
public:
    void WriteLine(const std::vector<ListValue>& values);
    void WriteValue(const ListValue& value) { WriteLine({value}); }

    // The bytes written so far.
    const std::string& Bytes() const { return m_bytes; }
    // Creates or truncates the file (folders resolved without regard to case) and writes the
    // bytes; throws ClassicError ("Path not found", "Permission denied") on failure. A failure
    // mid-way leaves what was written on disk.
    void SaveTo(const std::string& path) const;

private:
    std::string m_bytes;
};

// The text of a number as Write # gives it: integers in plain digits, other values with up to
// 15 significant digits and "." as the decimal point.
std::string FormatClassicNumber(double value);

} // namespace quillora
