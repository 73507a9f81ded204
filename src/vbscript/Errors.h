// Script errors: the classic VBScript error numbers and texts, and the exception that carries them.
#pragma once

#include <exception>
#include <string>

namespace quillora::vbs {

// Where an error was raised: 1-based line and column of the source, 0 when unknown.
struct SourcePosition {
    int line = 0;
    int column = 0;
};

// A runtime or compilation failure. `description` is UTF-8.
class ScriptError : public std::exception {
public:
    ScriptError(int number, std::string description, std::string source = {})
        : m_number(number), m_description(std::move(description)), m_source(std::move(source)) {}

    const char* what() const noexcept override { return m_description.c_str(); }
    int Number() const { return m_number; }
    // The error's text, as Err.Description reports it ("Type mismatch").
    const std::string& Description() const { return m_description; }
    // The name the failure concerns, which the host's message adds ("Type mismatch: 'Foo'").
    const std::string& Name() const { return m_name; }
    void SetName(std::string name) { m_name = std::move(name); }
    std::string Message() const {
        return m_name.empty() ? m_description : m_description + ": '" + m_name + "'";
    }
    // "Microsoft VBScript runtime error", "Microsoft VBScript compilation error", or the source
    // a script gave to Err.Raise.
    const std::string& Source() const { return m_source; }
    void SetSource(std::string source) { m_source = std::move(source); }
    bool IsCompilation() const { return m_compilation; }
    void SetCompilation(bool compilation) { m_compilation = compilation; }
    // A fatal error (the time-out) ends the run: On Error Resume Next does not catch it.
    bool IsFatal() const { return m_fatal; }
    void SetFatal(bool fatal) { m_fatal = fatal; }

    // Err.Raise: whether the script chose the source and the description itself.
    bool ScriptSource() const { return m_scriptSource; }
    bool ScriptDescription() const { return m_scriptDescription; }
    void SetScriptText(bool source, bool description) {
        m_scriptSource = source;
        m_scriptDescription = description;
    }

    bool HasPosition() const { return m_position.line > 0; }
    const SourcePosition& Position() const { return m_position; }
    void SetPosition(SourcePosition position) { m_position = position; }
    // The text of the source line the error points at.
    const std::string& LineText() const { return m_lineText; }
    void SetLineText(std::string text) { m_lineText = std::move(text); }

private:
    int m_number;
    std::string m_description;
    std::string m_name;
    std::string m_source;
    bool m_compilation = false;
    bool m_fatal = false;
    bool m_scriptSource = false;
    bool m_scriptDescription = false;
    SourcePosition m_position;
    std::string m_lineText;
};

inline constexpr const char* kRuntimeSource = "Microsoft VBScript runtime error";
inline constexpr const char* kCompileSource = "Microsoft VBScript compilation error";

// Error numbers used throughout the engine.
namespace Err {
inline constexpr int InvalidCall = 5, Overflow = 6, OutOfMemory = 7, OutOfRange = 9,
                     ArrayLocked = 10, DivisionByZero = 11, TypeMismatch = 13, OutOfStack = 28,
                     SubNotDefined = 35, BadFileMode = 54, FileNotFound = 53,
                     FileAlreadyExists = 58, InputPastEnd = 62, PermissionDenied = 70,
                     PathNotFound = 76, ObjectNotSet = 91, ForNotInitialized = 92,
                     InvalidUseOfNull = 94, ObjectRequired = 424, CantCreateObject = 429,
                     NoSuchMember = 438, WrongArgCount = 450, NotACollection = 451, KeyExists = 457,
                     Undefined = 500, IllegalAssignment = 501, ClassNotDefined = 506,
                     RegExpSyntax = 5017, ElementNotFound = 32811, Timeout = 6000;
// Compilation errors.
inline constexpr int Syntax = 1002, ExpectedColon = 1003, ExpectedLParen = 1005,
                     ExpectedRParen = 1006, ExpectedRBracket = 1007, ExpectedIdentifier = 1010,
                     ExpectedEquals = 1011, ExpectedIf = 1012, ExpectedTo = 1013,
                     ExpectedEnd = 1014, ExpectedFunction = 1015, ExpectedSub = 1016,
                     ExpectedThen = 1017, ExpectedWend = 1018, ExpectedLoop = 1019,
                     ExpectedNext = 1020, ExpectedCase = 1021, ExpectedSelect = 1022,
                     ExpectedExpression = 1023, ExpectedStatement = 1024,
                     ExpectedEndOfStatement = 1025, ExpectedInteger = 1026,
                     ExpectedWhileUntil = 1027, ExpectedWhileUntilEnd = 1028, ExpectedWith = 1029,
                     IdentifierTooLong = 1030, InvalidNumber = 1031, InvalidCharacter = 1032,
                     UnterminatedString = 1033, InvalidMe = 1037, LoopWithoutDo = 1038,
                     InvalidExit = 1039, InvalidForVariable = 1040, NameRedefined = 1041,
                     MustBeFirst = 1042, ParenthesesInSubCall = 1044, ExpectedLiteral = 1045,
                     ExpectedIn = 1046, ExpectedClass = 1047, InsideClass = 1048,
                     ExpectedLetSetGet = 1049, ExpectedProperty = 1050, InconsistentArgs = 1051,
                     MultipleDefault = 1052, InitNoArgs = 1053, LetNeedsArg = 1054,
                     UnexpectedNext = 1055, DefaultOnlyOn = 1056, DefaultPublic = 1057,
                     DefaultGetOnly = 1058;
} // namespace Err

// The engine's text for an error number ("Type mismatch"), "Unknown runtime error" otherwise.
std::string ErrorDescription(int number);
// Whether the number is one of the language's own errors, with a text of its own.
bool IsKnownError(int number);

// Throws ScriptError with the number's standard description (and runtime source).
[[noreturn]] void ThrowError(int number);
// Throws ScriptError with the number and a description of the caller's choice.
[[noreturn]] void ThrowError(int number, const std::string& description);
// Throws error 13 "Type mismatch", optionally naming the culprit ("Type mismatch: 'Foo'" in the
// host's message).
[[noreturn]] void ThrowTypeMismatch(const std::string& name = {});
// Throws an error with its standard text and the name it concerns.
[[noreturn]] void ThrowNamed(int number, const std::string& name);

} // namespace quillora::vbs
