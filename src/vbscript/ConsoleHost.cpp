// The console script host: WScript (Echo, StdOut, Arguments, Quit), console prompts, error lines.
#include "vbscript/ConsoleHost.h"

#include "core/Cp1252.h"
#include "core/PathLookup.h"
#include "core/Prompts.h"
#include "vbscript/Convert.h"
#include "vbscript/Engine.h"
#include "vbscript/ScriptControl.h"

#include <chrono>
#include <filesystem>
#include <memory>
#include <thread>

namespace quillora::vbs {

namespace {

// WScript.Quit ends the script through this exception, which no script handler sees.
struct QuitRequest {
    int code;
};

// Text of a value as the console host prints it.
std::string Show(const Value& value) {
    const Value& v = value.Deref();
    if (v.IsNull()) return "Null";
    return ToUtf8(ToString(v));
}

// Message boxes print their text; input prompts read a line of standard input.
class ConsolePrompts : public PromptService {
public:
    ConsolePrompts(const ConsoleStreams& streams, bool batch)
        : m_streams(streams), m_batch(batch) {}
    // In batch mode nobody answers: a message box takes its default button, an input box
    // is cancelled.
    BoxResult MessageBox(const std::string& text, int style, const std::string&) override {
        if (!m_batch) m_streams.out(text + "\n");
        return DefaultBoxResult(style);
    }
    std::optional<std::string> InputBox(const std::string&, const std::string&,
                                        const std::string&) override {
        if (m_batch) return std::nullopt;
        return m_streams.readLine();
    }

private:
    const ConsoleStreams& m_streams;
    bool m_batch;
};

// A TextStream-like object over a standard stream.
ObjectRef MakeStdStream(const ConsoleStreams& streams, bool toErr, bool input) {
    auto out = toErr ? streams.err : streams.out;
    auto* s = new HostObject(u"TextStream");
    if (input) {
        auto pending = std::make_shared<std::optional<std::string>>();
        auto next = [streams, pending]() -> std::optional<std::string> {
            if (*pending) {
                auto line = std::move(*pending);
                pending->reset();
                return line;
            }
            return streams.readLine();
        };
        s->DefineMember("ReadLine", [next](std::span<Value>) {
            auto line = next();
            if (!line) ThrowError(Err::InputPastEnd);
            return Value::FromUtf8(*line);
        });
        s->DefineMember("ReadAll", [streams, pending](std::span<Value>) {
            std::string all;
            if (*pending) all = **pending + "\n";
            pending->reset();
            return Value::FromUtf8(all + streams.readAll());
        });
        s->DefineMember("AtEndOfStream", [streams, pending](std::span<Value>) {
            if (!*pending) *pending = streams.readLine();
            return Value::Boolean(!*pending);
        });
        return ObjectRef(s);
    }
    s->DefineMember("Write", [out](std::span<Value> a) {
        if (a.size() != 1) ThrowError(Err::WrongArgCount);
        out(ToUtf8(ToString(a[0])));
        return Value();
    });
    s->DefineMember("WriteLine", [out](std::span<Value> a) {
        if (a.size() > 1) ThrowError(Err::WrongArgCount);
        out((a.empty() ? std::string() : ToUtf8(ToString(a[0]))) + "\n");
        return Value();
    });
    s->DefineMember("WriteBlankLines", [out](std::span<Value> a) {
        if (a.size() != 1) ThrowError(Err::WrongArgCount);
        for (int i = ToLong(a[0]); i > 0; --i)
            out("\n");
        return Value();
    });
    s->DefineMember("Close", [](std::span<Value>) { return Value(); });
    return ObjectRef(s);
}

ObjectRef MakeArguments(const std::vector<std::string>& args) {
    auto* a = new HostObject(u"Object");
    auto item = [args](std::span<Value> v) {
        if (v.size() != 1) ThrowError(Err::WrongArgCount);
        const int32_t i = ToLong(v[0]);
        if (i < 0 || static_cast<size_t>(i) >= args.size()) ThrowError(Err::OutOfRange);
        return Value::FromUtf8(args[static_cast<size_t>(i)]);
    };
    auto count = [n = args.size()](std::span<Value>) {
        return Value::Long(static_cast<int32_t>(n));
    };
    a->DefineMember("", item);
    a->DefineMember("Item", item);
    a->DefineMember("Count", count);
    a->DefineMember("Length", count);
    a->DefineItems([args] {
        std::vector<Value> items;
        for (const auto& s : args)
            items.push_back(Value::FromUtf8(s));
        return items;
    });
    return ObjectRef(a);
}

ObjectRef MakeWScript(ScriptControl& control, const std::string& file,
                      const std::vector<std::string>& args, const ConsoleStreams& streams) {
    auto* w = new HostObject(u"Object");
    ObjectRef arguments = MakeArguments(args);
    ObjectRef stdOut = MakeStdStream(streams, false, false);
    ObjectRef stdErr = MakeStdStream(streams, true, false);
    ObjectRef stdIn = MakeStdStream(streams, false, true);
    w->DefineMember("Echo", [out = streams.out](std::span<Value> a) {
        std::string line;
        for (size_t i = 0; i < a.size(); ++i) {
            if (i) line += " ";
            line += Show(a[i]);
        }
        out(line + "\n");
        return Value();
    });
    w->DefineMember("Quit", [](std::span<Value> a) -> Value {
        throw QuitRequest{a.empty() ? 0 : ToLong(a[0])};
    });
    w->DefineProperty("Arguments", [arguments] { return Value::Obj(arguments.Get()); });
    w->DefineProperty("StdOut", [stdOut] { return Value::Obj(stdOut.Get()); });
    w->DefineProperty("StdErr", [stdErr] { return Value::Obj(stdErr.Get()); });
    w->DefineProperty("StdIn", [stdIn] { return Value::Obj(stdIn.Get()); });
    w->DefineMember("ScriptName", [file](std::span<Value>) {
        return Value::FromUtf8(std::string(FileNamePart(file)));
    });
    w->DefineMember("ScriptFullName", [file](std::span<Value>) {
        std::error_code error;
        const auto full = std::filesystem::absolute(file, error);
        return Value::FromUtf8(error ? file : full.lexically_normal().string());
    });
    w->DefineMember("Name", [](std::span<Value>) { return Value::Str(u"Windows Script Host"); });
    w->DefineMember("Version", [](std::span<Value>) { return Value::Str(u"5.8"); });
    w->DefineMember("Interactive", [](std::span<Value>) { return Value::Boolean(false); });
    w->DefineMember("Sleep", [](std::span<Value> a) {
        if (a.size() != 1) ThrowError(Err::WrongArgCount);
        const int32_t ms = ToLong(a[0]);
        if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        return Value();
    });
    w->DefineMember("CreateObject", [&control](std::span<Value> a) {
        if (a.empty()) ThrowError(Err::WrongArgCount);
        return Value::Obj(control.GetEngine().CreateObject(ToUtf8(ToString(a[0]))).Get());
    });
    return ObjectRef(w);
}

// Script files are UTF-16 with a byte-order mark, UTF-8, or else Windows-1252.
} // namespace

std::string DecodeScriptBytes(const std::string& bytes) {
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE) {
        std::u16string text;
        for (size_t i = 2; i + 1 < bytes.size(); i += 2)
            text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                                 (static_cast<unsigned char>(bytes[i + 1]) << 8)));
        return ToUtf8(text);
    }
    if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) return bytes.substr(3);
    // Valid UTF-8 stays as it is; anything else is read as Windows-1252.
    size_t i = 0;
    while (i < bytes.size()) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        const size_t extra = c < 0x80         ? 0
                             : (c >> 5) == 6  ? 1
                             : (c >> 4) == 14 ? 2
                             : (c >> 3) == 30 ? 3
                                              : 9;
        if (extra == 9 || i + extra >= bytes.size() + (extra ? 0 : 1)) return Cp1252ToUtf8(bytes);
        for (size_t k = 1; k <= extra; ++k)
            if ((static_cast<unsigned char>(bytes[i + k]) >> 6) != 2) return Cp1252ToUtf8(bytes);
        i += extra + 1;
    }
    return bytes;
}

bool ParseConsoleCommandLine(const std::vector<std::string>& words, ConsoleOptions& options,
                             std::string& file, std::vector<std::string>& args,
                             std::string& error) {
    bool haveFile = false;
    for (const std::string& word : words) {
        if (!word.starts_with("//")) {
            if (haveFile)
                args.push_back(word);
            else
                file = word;
            haveFile = true;
            continue;
        }
        const std::string option = FoldCase(word.substr(2));
        if (option == "nologo" || option == "logo" || option == "i") continue;
        if (option == "b") {
            options.batch = true;
            continue;
        }
        if (option.starts_with("t:")) {
            const std::string digits = option.substr(2);
            if (!digits.empty() && digits.size() <= 5 &&
                digits.find_first_not_of("0123456789") == std::string::npos) {
                options.timeoutSeconds = std::stoll(digits);
                continue;
            }
        }
        error = "Invalid host option: " + word;
        return false;
    }
    if (!haveFile) error = "No script file given";
    return haveFile;
}

int RunConsoleScript(const std::string& fileName, const std::string& bytes,
                     const std::vector<std::string>& args, const ConsoleStreams& streams,
                     const ConsoleOptions& options) {
    ConsolePrompts prompts(streams, options.batch);
    PromptService* previous = &Prompts();
    SetPrompts(&prompts);
    int status = 0;
    try {
        ScriptControl control;
        control.SetTimeout(options.timeoutSeconds * 1000);
        control.AddObject("WScript", MakeWScript(control, fileName, args, streams), false);
        if (!control.AddCode(DecodeScriptBytes(bytes))) {
            const ScriptError& e = control.LastError();
            if (!options.batch)
                streams.err(fileName + "(" + std::to_string(e.Position().line) + ", " +
                            std::to_string(e.Position().column) + ") " +
                            (e.IsCompilation() ? "compilation" : "runtime") +
                            " error: " + e.Message() + "\n");
            status = 1;
        }
    } catch (const QuitRequest& quit) {
        status = quit.code;
    }
    SetPrompts(previous);
    return status;
}

} // namespace quillora::vbs
