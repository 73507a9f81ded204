// The Action object: its member groups and the argument helpers they share.
#include "scripting/ScriptAction.h"

#include "core/ClassicError.h"
#include "project/ErrorMessages.h"
#include "vbscript/Convert.h"
#include "vbscript/Errors.h"

namespace quillora {

vbs::ObjectRef MakeScriptAction(const ActionScope& scope) {
    auto* action = new vbs::HostObject(u"VBScriptActionModule");
    DefineActionRequestMembers(*action, scope);
    DefineActionObjectMembers(*action, scope);
    DefineActionServiceMembers(*action, scope);
    DefineActionComponentMembers(*action, scope);
    return vbs::ObjectRef(action);
}

void Reporting(const std::function<void()>& body,
               const std::function<void(const std::string& description)>& report) {
    try {
        body();
    } catch (const ClassicError& error) {
        report(error.Description());
    } catch (const vbs::ScriptError& error) {
        if (error.IsFatal()) throw;
        report(error.Description());
    }
}

void Reporting(const std::string& literal, const std::function<void()>& body) {
    Reporting(body, [&literal](const std::string& description) {
        ShowCommonError(literal, description);
    });
}

void RequireArgs(std::span<vbs::Value> args, size_t count) {
    if (args.size() < count) vbs::ThrowError(vbs::Err::WrongArgCount);
}

std::string TextArg(std::span<vbs::Value> args, size_t index) {
    RequireArgs(args, index + 1);
    return vbs::ToUtf8(vbs::ToString(args[index]));
}

int16_t IntegerArg(std::span<vbs::Value> args, size_t index) {
    RequireArgs(args, index + 1);
    return vbs::ToInteger(args[index]);
}

double DoubleArg(std::span<vbs::Value> args, size_t index) {
    RequireArgs(args, index + 1);
    return vbs::ToDouble(args[index]);
}

bool BoolArg(std::span<vbs::Value> args, size_t index) {
    RequireArgs(args, index + 1);
    return vbs::ToBool(args[index]);
}

} // namespace quillora
