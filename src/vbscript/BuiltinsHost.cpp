// Built-ins that reach the engine or the host: Eval, Execute, GetRef, CreateObject, MsgBox, Err...
#include "vbscript/Builtins.h"

#include "core/Prompts.h"
#include "vbscript/Locale.h"

namespace quillora::vbs::builtins {

namespace {

// Code given to Eval or Execute must be a string. A compilation error in it is reported as a
// plain syntax error at the statement that gave it.
template <class F> Value AtCaller(Args a, F&& run) {
    if (!Arg(a, 0).IsString()) ThrowTypeMismatch();
    const std::u16string text = Arg(a, 0).AsString();
    try {
        return run(text);
    } catch (ScriptError& error) {
        if (!error.IsCompilation()) throw;
        ScriptError syntax(Err::Syntax, ErrorDescription(Err::Syntax), kCompileSource);
        syntax.SetCompilation(true);
        throw syntax;
    }
}

Value Eval(Engine& e, Args a) {
    return AtCaller(a,
                    [&](const std::u16string& text) { return e.EvalText(text, e.CurrentFrame()); });
}

Value Execute(Engine& e, Args a) {
    return AtCaller(a, [&](const std::u16string& text) {
        e.ExecuteText(text, e.CurrentFrame());
        return Value();
    });
}

Value ExecuteGlobal(Engine& e, Args a) {
    return AtCaller(a, [&](const std::u16string& text) {
        e.ExecuteText(text, nullptr);
        return Value();
    });
}

Value GetRef(Engine& e, Args a) {
    const std::u16string name = Text(a, 0);
    const int index = e.FindGlobal(FoldedUtf8(name));
    if (index < 0 || e.GlobalAt(index).kind != Global::Procedure) ThrowError(Err::InvalidCall);
    return Value::Obj(MakeProcedureRef(e, e.GlobalAt(index).proc).Get());
}

Value CreateObject(Engine& e, Args a) {
    const std::u16string id = Text(a, 0);
    try {
        return Value::Obj(e.CreateObject(ToUtf8(id)).Get());
    } catch (ScriptError& error) {
        // The host's message names the class that could not be created.
        if (error.Number() == Err::CantCreateObject && error.Name().empty())
            error.SetName(ToUtf8(id));
        throw;
    }
}

Value GetObject(Engine& e, Args a) {
    if (Has(a, 1)) return CreateObject(e, a.subspan(1));
    ThrowError(Err::CantCreateObject);
}

Value MsgBox(Engine&, Args a) {
    const Value prompt = Plain(a, 0);
    const std::u16string text = ToDisplayString(prompt);
    const int32_t style = LongOr(a, 1, 0);
    std::u16string title = u"VBScript";
    if (Has(a, 2)) title = ToDisplayString(Plain(a, 2));
    const BoxResult r = Prompts().MessageBox(ToUtf8(text), style, ToUtf8(title));
    return Value::Integer(static_cast<int16_t>(r));
}

Value InputBox(Engine&, Args a) {
    const std::u16string prompt = ToDisplayString(Plain(a, 0));
    std::u16string title = u"VBScript";
    if (Has(a, 1)) title = ToDisplayString(Plain(a, 1));
    std::u16string def;
    if (Has(a, 2)) def = ToDisplayString(Plain(a, 2));
    const std::optional<std::string> answer =
        Prompts().InputBox(ToUtf8(prompt), ToUtf8(title), ToUtf8(def));
    if (!answer) return Value::Str(u"");
    return Value::FromUtf8(*answer);
}

Value ErrFn(Engine& e, Args) {
    return e.ErrObjectValue();
}

Value ScriptEngine(Engine&, Args) {
    return Value::Str(u"VBScript");
}
Value ScriptEngineMajorVersion(Engine&, Args) {
    return Value::Long(5);
}
Value ScriptEngineMinorVersion(Engine&, Args) {
    return Value::Long(8);
}
Value ScriptEngineBuildVersion(Engine&, Args) {
    return Value::Long(16384);
}

Value Rgb(Engine&, Args a) {
    int32_t parts[3];
    for (size_t i = 0; i < 3; ++i) {
        const Value v = Plain(a, i);
        if (v.IsNull()) ThrowError(Err::InvalidUseOfNull);
        parts[i] = ToLong(v);
        if (parts[i] < 0) ThrowError(Err::InvalidCall);
        if (parts[i] > 255) parts[i] = 255;
    }
    return Value::Long(parts[0] + parts[1] * 256 + parts[2] * 65536);
}

// Pictures are the host's business on this platform: the engine has none to load.
Value LoadPicture(Engine&, Args) {
    ThrowError(481);
}

Value GetLocale(Engine&, Args) {
    return Value::Long(CurrentLcid());
}

// SetLocale takes a locale id or a name ("de-de"); no argument or 0 is the default, 1033.
// It returns the id it replaces.
Value SetLocale(Engine& e, Args a) {
    const int32_t previous = CurrentLcid();
    const LocaleInfo* locale = nullptr;
    if (Has(a, 0)) {
        const Value v = Plain(a, 0);
        if (v.IsString()) {
            locale = FindLocaleByName(ToUtf8(v.AsString()));
            if (!locale) ThrowError(Err::InvalidCall);
        } else {
            const int32_t lcid = ToLong(v);
            if (lcid != 0 && lcid != 1033) {
                locale = FindLocale(lcid);
                if (!locale) ThrowError(Err::InvalidCall);
            }
        }
    }
    if (locale && locale->lcid == 1033) locale = nullptr;
    e.SetScriptLocale(locale);
    return Value::Long(previous);
}

const BuiltinDef kHost[] = {
    {"Eval", 1, 1, Eval},
    {"Execute", 1, 1, Execute},
    {"ExecuteGlobal", 1, 1, ExecuteGlobal},
    {"GetRef", 1, 1, GetRef},
    {"CreateObject", 1, 2, CreateObject},
    {"GetObject", 0, 2, GetObject},
    {"MsgBox", 1, 5, MsgBox},
    {"InputBox", 1, 7, InputBox},
    {"Err", 0, 0, ErrFn},
    {"ScriptEngine", 0, 0, ScriptEngine},
    {"ScriptEngineMajorVersion", 0, 0, ScriptEngineMajorVersion},
    {"ScriptEngineMinorVersion", 0, 0, ScriptEngineMinorVersion},
    {"ScriptEngineBuildVersion", 0, 0, ScriptEngineBuildVersion},
    {"RGB", 3, 3, Rgb},
    {"GetLocale", 0, 0, GetLocale},
    {"LoadPicture", 1, 1, LoadPicture},
    {"SetLocale", 0, 1, SetLocale},
};

} // namespace

std::span<const BuiltinDef> HostFunctions() {
    return kHost;
}

} // namespace quillora::vbs::builtins
