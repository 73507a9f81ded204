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

private:
    ErrorCode m_code;
};

} // namespace quillora
