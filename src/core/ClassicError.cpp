// Descriptions of the classic runtime errors.
#include "core/ClassicError.h"

namespace quillora {

std::string ClassicDescription(ErrorCode code) {
    switch (code) {
    case ErrorCode::Overflow: return "Overflow";
    case ErrorCode::SubscriptOutOfRange: return "Subscript out of range";
    case ErrorCode::TypeMismatch: return "Type mismatch";
    case ErrorCode::BadFileNameOrNumber: return "Bad file name or number";
    case ErrorCode::FileNotFound: return "File not found";
    case ErrorCode::InputPastEndOfFile: return "Input past end of file";
    case ErrorCode::PathNotFound: return "Path not found";
    case ErrorCode::InvalidProcedureCall: return "Invalid procedure call or argument";
    case ErrorCode::PermissionDenied: return "Permission denied";
    case ErrorCode::InvalidPicture: return "Invalid picture";
    case ErrorCode::OutOfMemory: return "Out of memory";
    case ErrorCode::DivisionByZero: return "Division by zero";
    }
    return "Application-defined or object-defined error";
}

std::string DetailLines(const ClassicError& error) {
    return error.Detail().empty() ? "" : "\r\n\r\n" + error.Detail();
}

std::string DescriptionAndDetail(const ClassicError& error) {
    return error.Description() + DetailLines(error);
}

} // namespace quillora
