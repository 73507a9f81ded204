// The value-list reader: classic Input # parsing of comma- and line-separated values.
#include "core/ValueListReader.h"

#include "core/ClassicError.h"
#include "core/Cp1252.h"
#include "core/FileAccess.h"
#include "core/PathLookup.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace quillora {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsLineEnd(char c) {
    return c == '\r' || c == '\n';
}

bool EqualsAsciiNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x += 32;
        if (y >= 'A' && y <= 'Z') y += 32;
        if (x != y) return false;
    }
    return true;
}

// -1 false, 1 true, 0 not a Boolean word.
int BooleanWord(const RawValue& value) {
    if (!value.quoted) {
        if (EqualsAsciiNoCase(value.bytes, "#TRUE#")) return 1;
        if (EqualsAsciiNoCase(value.bytes, "#FALSE#")) return -1;
    }
    if (EqualsAsciiNoCase(value.bytes, "True")) return 1;
    if (EqualsAsciiNoCase(value.bytes, "False")) return -1;
    return 0;
}

bool IsHashForm(const RawValue& value) {
    return !value.quoted && value.bytes.size() >= 2 && value.bytes.front() == '#' &&
           value.bytes.back() == '#';
}

} // namespace

bool ParseClassicNumber(std::string_view text, double& result) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    if (text.empty()) return false;
    if (text.size() > 2 && text[0] == '&') {
        const char kind = static_cast<char>(text[1] | 0x20);
        const int base = kind == 'h' ? 16 : kind == 'o' ? 8 : 0;
        if (base == 0) return false;
        unsigned long long value = 0;
        for (size_t i = 2; i < text.size(); ++i) {
            const char c = static_cast<char>(text[i] | 0x20);
            int digit = -1;
            if (c >= '0' && c <= '9')
                digit = c - '0';
            else if (c >= 'a' && c <= 'f')
                digit = c - 'a' + 10;
            if (digit < 0 || digit >= base || value > 0xFFFFFFFFull) return false;
            value = value * base + digit;
        }
        result = static_cast<double>(value);
        return true;
    }
    size_t i = 0;
    if (text[i] == '+' || text[i] == '-') ++i;
    size_t digits = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9')
        ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9')
            ++i, ++digits;
    }
    if (digits == 0) return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
        size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        size_t expDigits = 0;
        while (j < text.size() && text[j] >= '0' && text[j] <= '9')
            ++j, ++expDigits;
        if (expDigits == 0) return false;
        i = j;
    }
    if (i != text.size()) return false;
    std::string copy(text.substr(text[0] == '+' ? 1 : 0));
    for (char& c : copy) {
        if (c == 'd' || c == 'D') c = 'e';
    }
    double value = 0;
    const auto [end, error] = std::from_chars(copy.data(), copy.data() + copy.size(), value);
    if (error == std::errc::result_out_of_range) {
        // Underflow reads as zero; overflow as an infinity that callers report as "Overflow".
        const auto ePos = copy.find_first_of("eE");
        const bool negativeExponent = ePos != std::string::npos && copy[ePos + 1] == '-';
        value = negativeExponent ? 0.0 : std::numeric_limits<double>::infinity();
    } else if (error != std::errc() || end != copy.data() + copy.size()) {
        return false;
    }
    result = value;
    return true;
}

int16_t ToInt16(double value) {
    const double rounded = std::nearbyint(value);
    if (!(rounded >= -32768.0 && rounded <= 32767.0)) throw ClassicError(ErrorCode::Overflow);
    return static_cast<int16_t>(rounded);
}

int32_t ToInt32(double value) {
    const double rounded = std::nearbyint(value);
    if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0)) {
        throw ClassicError(ErrorCode::Overflow);
    }
    return static_cast<int32_t>(rounded);
}

std::string DecodeBars(std::string text) {
    for (char& c : text) {
        if (c == '|') c = '"';
    }
    return text;
}

ValueListReader::ValueListReader(std::string bytes) : m_bytes(std::move(bytes)) {}

ValueListReader ValueListReader::Open(const std::string& path) {
    if (path.empty()) throw ClassicError(ErrorCode::BadFileNameOrNumber);
    const auto failure = [&path](ErrorCode code, const char* problem) {
        ClassicError error(code);
        error.SetDetail("\"" + path + "\" " + problem + ".");
        return error;
    };
    const auto actual = PathLookup::Instance().Find(path);
    if (!actual) throw failure(ErrorCode::FileNotFound, "is missing");
    FileBytes file = ReadRegularFile(*actual, kMaxFileBytes);
    switch (file.problem) {
    case FileProblem::None: break;
    case FileProblem::Missing: throw failure(ErrorCode::FileNotFound, "is missing");
    case FileProblem::NotRegular:
        throw failure(ErrorCode::BadFileNameOrNumber, "is not a file (a folder, device or pipe)");
    case FileProblem::TooLarge:
        throw failure(ErrorCode::OutOfMemory, "is larger than any game file can be (64 MB)");
    case FileProblem::Unreadable: throw failure(ErrorCode::PermissionDenied, "cannot be read");
    }
    ValueListReader reader(std::move(file.bytes));
    reader.SetName(path);
    return reader;
}

int ValueListReader::LastValueLine() const {
    // Counted on from the last answer when the reader has moved on, so that asking after every
    // value of a long file costs the file's length once, not once per value.
    const size_t end = std::min(m_valueStart, m_bytes.size());
    if (end < m_linesCountedTo) {
        m_linesCountedTo = 0;
        m_linesBefore = 1;
    }
    for (size_t i = m_linesCountedTo; i < end; ++i) {
        if (m_bytes[i] == '\n' ||
            (m_bytes[i] == '\r' && (i + 1 >= m_bytes.size() || m_bytes[i + 1] != '\n')))
            ++m_linesBefore;
    }
    m_linesCountedTo = end;
    return m_linesBefore;
}

std::string ValueListReader::Place() const {
    std::string place = m_name.empty() ? "" : "\"" + m_name + "\", ";
    place += "line " + std::to_string(LastValueLine());
    const size_t index = static_cast<size_t>(m_valuesRead) - 1;
    if (m_valuesRead >= 1 && index < m_fieldNames.size() && !m_fieldNames[index].empty()) {
        place += " (" + m_fieldNames[index] + ")";
    } else {
        place += " (value " + std::to_string(m_valuesRead) + ")";
    }
    return place;
}

void ValueListReader::Fail(ClassicError& error, const RawValue& value,
                           const std::string& expected) const {
    constexpr size_t kShown = 40;
    std::string found = Cp1252ToUtf8(value.bytes.substr(0, kShown));
    if (value.bytes.size() > kShown) found += "...";
    error.SetDetail(Place() + ": expected " + expected + ", found " +
                    (value.quoted ? "\"" + found + "\"" : "'" + found + "'") + ".");
    throw error;
}

void ValueListReader::SkipBlanks() {
    while (m_pos < m_bytes.size() && IsBlank(m_bytes[m_pos]))
        ++m_pos;
}

void ValueListReader::SkipDelimiter() {
    while (m_pos < m_bytes.size()) {
        const char c = m_bytes[m_pos];
        if (c == ',') {
            ++m_pos;
            return;
        }
        if (c == '\r') {
            ++m_pos;
            if (m_pos < m_bytes.size() && m_bytes[m_pos] == '\n') ++m_pos;
            return;
        }
        if (c == '\n') {
            ++m_pos;
            return;
        }
        ++m_pos; // text after a closing quote is dropped up to the separator
    }
}

RawValue ValueListReader::ReadRaw() {
    ++m_valuesRead;
    if (AtEnd()) {
        m_valueStart = m_bytes.size();
        ClassicError error(ErrorCode::InputPastEndOfFile);
        error.SetDetail(Place() + ": the file ends where this value was expected.");
        throw error;
    }
    SkipBlanks();
    m_valueStart = m_pos;
    RawValue value;
    if (m_pos < m_bytes.size() && m_bytes[m_pos] == '"') {
        value.quoted = true;
        const size_t start = ++m_pos;
        const size_t end = m_bytes.find('"', start);
        const size_t stop = end == std::string::npos ? m_bytes.size() : end;
        value.bytes.assign(m_bytes, start, stop - start);
        m_pos = end == std::string::npos ? m_bytes.size() : end + 1;
    } else {
        const size_t start = m_pos;
        while (m_pos < m_bytes.size() && m_bytes[m_pos] != ',' && !IsLineEnd(m_bytes[m_pos])) {
            ++m_pos;
        }
        size_t stop = m_pos;
        while (stop > start && IsBlank(m_bytes[stop - 1]))
            --stop;
        value.bytes.assign(m_bytes, start, stop - start);
    }
    SkipDelimiter();
    return value;
}

double ValueListReader::ParseNumber(const RawValue& value) const {
    if (value.bytes.empty() && !value.quoted) return 0;
    if (const int word = BooleanWord(value)) return word > 0 ? -1 : 0;
    double number = 0;
    if (!ParseClassicNumber(value.bytes, number)) throw ClassicError(ErrorCode::TypeMismatch);
    if (std::isinf(number)) throw ClassicError(ErrorCode::Overflow);
    return number;
}

std::string ValueListReader::ReadString() {
    RawValue value = ReadRaw();
    if (const int word = BooleanWord(value); word != 0 && !value.quoted) {
        return word > 0 ? "True" : "False";
    }
    return Cp1252ToUtf8(value.bytes);
}

int16_t ValueListReader::ReadInt16() {
    const RawValue value = ReadRaw();
    try {
        return ToInt16(ParseNumber(value));
    } catch (ClassicError& error) {
        Fail(error, value, "a whole number from -32768 to 32767");
    }
}

int32_t ValueListReader::ReadInt32() {
    const RawValue value = ReadRaw();
    try {
        return ToInt32(ParseNumber(value));
    } catch (ClassicError& error) {
        Fail(error, value, "a whole number from -2147483648 to 2147483647");
    }
}

double ValueListReader::ReadDouble() {
    const RawValue value = ReadRaw();
    try {
        return ParseNumber(value);
    } catch (ClassicError& error) {
        Fail(error, value, "a number");
    }
}

bool ValueListReader::ReadBool() {
    const RawValue value = ReadRaw();
    if (const int word = BooleanWord(value)) return word > 0;
    try {
        return ParseNumber(value) != 0;
    } catch (ClassicError& error) {
        Fail(error, value, "#TRUE#, #FALSE# or a number");
    }
}

ListValue ValueListReader::ReadVariant() {
    const RawValue value = ReadRaw();
    if (value.quoted) return Cp1252ToUtf8(value.bytes);
    if (value.bytes.empty()) return std::monostate{};
    if (EqualsAsciiNoCase(value.bytes, "#TRUE#")) return true;
    if (EqualsAsciiNoCase(value.bytes, "#FALSE#")) return false;
    if (EqualsAsciiNoCase(value.bytes, "#NULL#")) return ListNull{};
    if (IsHashForm(value)) {
        ListDate date;
        if (ParseListDate(value.bytes.substr(1, value.bytes.size() - 2), date)) return date;
    }
    double number = 0;
    if (ParseClassicNumber(value.bytes, number) && !std::isinf(number)) {
        if (number == std::trunc(number) && number >= -2147483648.0 && number <= 2147483647.0 &&
            value.bytes.find_first_of(".eEdD") == std::string::npos) {
            return static_cast<int32_t>(number);
        }
        return number;
    }
    return Cp1252ToUtf8(value.bytes);
}

void ValueListReader::Skip() {
    ReadRaw();
}

bool ValueListReader::IsEndOfSection() {
    if (AtEnd()) return true;
    const size_t saved = m_pos;
    const size_t savedStart = m_valueStart;
    const RawValue next = ReadRaw();
    m_pos = saved;
    m_valueStart = savedStart;
    --m_valuesRead;
    return next.bytes == kSectionSeparator;
}

bool ValueListReader::SkipToNextSection() {
    while (!AtEnd()) {
        if (ReadRaw().bytes == kSectionSeparator) return true;
    }
    return false;
}

} // namespace quillora
