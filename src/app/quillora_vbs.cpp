// quillora-vbs: runs a VBScript file like a console script host (WScript.Echo, Arguments, Quit).
#include "core/Cp1252.h"
#include "core/PathLookup.h"
#include "core/Prompts.h"
#include "vbscript/Convert.h"
#include "vbscript/Engine.h"
#include "vbscript/ScriptControl.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

using namespace quillora;
using namespace quillora::vbs;

namespace {

// WScript.Quit ends the script through this exception, which no script handler sees.
struct QuitRequest {
    int code;
};

void Print(std::FILE* stream, const std::string& text) { std::fwrite(text.data(), 1, text.size(), stream); }

// Text of a value as the console host prints it.
std::string Show(const Value& value) {
    const Value& v = value.Deref();
    if (v.IsNull()) return "Null";
    return ToUtf8(ToString(v));
}

// Message boxes print their text; input prompts read a line of standard input.
class ConsolePrompts : public PromptService {
public:
    BoxResult MessageBox(const std::string& text, int style, const std::string&) override {
        Print(stdout, text + "\n");
        return DefaultBoxResult(style);
    }
    std::optional<std::string> InputBox(const std::string&, const std::string&, const std::string&) override {
        std::fflush(stdout);
        std::string line;
        if (!std::getline(std::cin, line)) return std::nullopt;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        return line;
    }
};

// A TextStream-like object over a standard stream.
ObjectRef MakeStdStream(std::FILE* out, bool input) {
    auto* s = new HostObject(u"TextStream");
    if (input) {
        s->DefineMember("ReadLine", [](std::span<Value>) {
            std::string line;
            if (!std::getline(std::cin, line)) ThrowError(Err::InputPastEnd);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            return Value::FromUtf8(line);
        });
        s->DefineMember("ReadAll", [](std::span<Value>) {
            std::ostringstream all;
            all << std::cin.rdbuf();
            return Value::FromUtf8(all.str());
        });
        s->DefineMember("AtEndOfStream", [](std::span<Value>) {
            return Value::Boolean(std::cin.peek() == std::char_traits<char>::eof());
        });
        return ObjectRef(s);
    }
    s->DefineMember("Write", [out](std::span<Value> a) {
        if (a.size() != 1) ThrowError(Err::WrongArgCount);
        Print(out, ToUtf8(ToString(a[0])));
        return Value();
    });
    s->DefineMember("WriteLine", [out](std::span<Value> a) {
        if (a.size() > 1) ThrowError(Err::WrongArgCount);
        Print(out, (a.empty() ? std::string() : ToUtf8(ToString(a[0]))) + "\n");
        return Value();
    });
    s->DefineMember("WriteBlankLines", [out](std::span<Value> a) {
        if (a.size() != 1) ThrowError(Err::WrongArgCount);
        for (int i = ToLong(a[0]); i > 0; --i) Print(out, "\n");
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
    auto count = [n = args.size()](std::span<Value>) { return Value::Long(static_cast<int32_t>(n)); };
    a->DefineMember("", item);
    a->DefineMember("Item", item);
    a->DefineMember("Count", count);
    a->DefineMember("Length", count);
    a->DefineItems([args] {
        std::vector<Value> items;
        for (const auto& s : args) items.push_back(Value::FromUtf8(s));
        return items;
    });
    a->DefineMember("Unnamed", [self = ObjectRef()](std::span<Value>) { return Value(); });
    return ObjectRef(a);
}

ObjectRef MakeWScript(ScriptControl& control, const std::string& file, const std::vector<std::string>& args) {
    auto* w = new HostObject(u"Object");
    ObjectRef arguments = MakeArguments(args);
    ObjectRef stdOut = MakeStdStream(stdout, false);
    ObjectRef stdErr = MakeStdStream(stderr, false);
    ObjectRef stdIn = MakeStdStream(nullptr, true);
    w->DefineMember("Echo", [](std::span<Value> a) {
        std::string line;
        for (size_t i = 0; i < a.size(); ++i) {
            if (i) line += " ";
            line += Show(a[i]);
        }
        Print(stdout, line + "\n");
        return Value();
    });
    w->DefineMember("Quit", [](std::span<Value> a) -> Value {
        std::fflush(stdout);
        throw QuitRequest{a.empty() ? 0 : ToLong(a[0])};
    });
    w->DefineMember("Arguments", [arguments](std::span<Value>) { return Value::Obj(arguments.Get()); });
    w->DefineMember("StdOut", [stdOut](std::span<Value>) { return Value::Obj(stdOut.Get()); });
    w->DefineMember("StdErr", [stdErr](std::span<Value>) { return Value::Obj(stdErr.Get()); });
    w->DefineMember("StdIn", [stdIn](std::span<Value>) { return Value::Obj(stdIn.Get()); });
    w->DefineMember("ScriptName", [file](std::span<Value>) {
        return Value::FromUtf8(std::string(FileNamePart(file)));
    });
    w->DefineMember("ScriptFullName", [file](std::span<Value>) { return Value::FromUtf8(file); });
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
std::string DecodeSource(const std::string& bytes) {
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF && static_cast<unsigned char>(bytes[1]) == 0xFE) {
        std::u16string text;
        for (size_t i = 2; i + 1 < bytes.size(); i += 2)
            text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                                 (static_cast<unsigned char>(bytes[i + 1]) << 8)));
        return ToUtf8(text);
    }
    if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) return bytes.substr(3);
    // Valid UTF-8 stays as it is; anything else is read as Windows-1252.
    size_t i = 0;
    bool valid = true;
    while (i < bytes.size() && valid) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        const int extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
        if (extra < 0 || i + static_cast<size_t>(extra) >= bytes.size() + (extra == 0 ? 1 : 0)) {
            valid = extra == 0;
            if (!valid) break;
        }
        for (int k = 1; k <= extra && valid; ++k)
            valid = i + static_cast<size_t>(k) < bytes.size() && (static_cast<unsigned char>(bytes[i + static_cast<size_t>(k)]) >> 6) == 2;
        i += static_cast<size_t>(extra) + 1;
    }
    return valid ? bytes : Cp1252ToUtf8(bytes);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: quillora-vbs FILE.vbs [ARGS]\n");
        return 2;
    }
    const std::string file = argv[1];
    std::vector<std::string> args(argv + 2, argv + argc);
    std::string bytes;
    {
        const std::string real = PathLookup::Instance().Find(file).value_or(file);
        std::ifstream in(real, std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "%s: cannot open the script file\n", file.c_str());
            return 1;
        }
        std::ostringstream all;
        all << in.rdbuf();
        bytes = all.str();
    }
    ConsolePrompts prompts;
    SetPrompts(&prompts);
    int status = 0;
    try {
        ScriptControl control;
        control.SetTimeout(0);
        control.AddObject("WScript", MakeWScript(control, file, args), false);
        if (!control.AddCode(DecodeSource(bytes))) {
            const ScriptError& e = control.LastError();
            std::fflush(stdout);
            std::fprintf(stderr, "%s(%d, %d) %s error: %s\n", file.c_str(), e.Position().line, e.Position().column,
                         e.IsCompilation() ? "compilation" : "runtime", e.Description().c_str());
            status = 1;
        }
    } catch (const QuitRequest& quit) {
        status = quit.code;
    }
    std::fflush(stdout);
    SetPrompts(nullptr);
    return status;
}
