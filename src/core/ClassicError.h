// The classic runtime errors (number and description) that file readers and operations raise.
#pragma once

#include <stdexcept>
#include <string>

namespace quillora {

// Numbers and descriptions of the runtime's classic error table, as shown to players and authors.
enum class ErrorCode : int {
    Overflow = 6,
    SubscriptOutOfRange = 9,
    TypeMismatch = 13,
    BadFileNameOrNumber = 52,
    FileNotFound = 53,
    InputPastEndOfFile = 62,
    PathNotFound = 76,
    InvalidProcedureCall = 5,
    PermissionDenied = 70,
    InvalidPicture = 481,
    OutOfMemory = 7,
    DivisionByZero = 11,
};

// The classic description of an error number ("Type mismatch", "Input past end of file", ...).
std::string ClassicDescription(ErrorCode code);

// Carries a classic runtime error from the failing statement to the operation's own handler.
class ClassicError : public std::runtime_error {
public:
    explicit ClassicError(ErrorCode code) : ClassicError(code, ClassicDescription(code)) {}
    ClassicError(ErrorCode code, const std::string& description)
        : std::runtime_error(description), m_code(code) {}
    ErrorCode Code() const { return m_code; }
    int Number() const { return static_cast<int>(m_code); }
    std::string Description() const { return what(); }
    // What an author needs to mend it: the file, the value's place and what was expected
    // ("" when the failure has no file behind it). Boxes show it after the classic texts.
    const std::string& Detail() const { return m_detail; }
    ClassicError& SetDetail(std::string detail) {
        m_detail = std::move(detail);
        return *this;
    }

private:
    ErrorCode m_code;
    std::string m_detail;
};

// The description, then the detail after a blank line when there is one.
std::string DescriptionAndDetail(const ClassicError& error);
// A blank line and the detail, or "" without one: added after a box's own text.
std::string DetailLines(const ClassicError& error);

} // namespace quillora
