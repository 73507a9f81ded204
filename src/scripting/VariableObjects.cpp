// The project's variables as named script objects.
#include "scripting/VariableObjects.h"

#include "vbscript/Convert.h"
#include "vbscript/Errors.h"

#include <limits>

namespace quillora {

using vbs::Value;

vbs::ObjectRef MakeVariableObject(std::shared_ptr<ClassVariable> variable) {
    auto* object = new vbs::HostObject(u"ClassVariable");
    object->DefineMember(
        "", [variable](std::span<Value>) { return Value::Integer(variable->Value); },
        [variable](std::span<Value>, const Value& value) {
            variable->Value = vbs::ToInteger(value);
        });
    return vbs::ObjectRef(object);
}

vbs::ObjectRef MakeVariantVariableObject(std::shared_ptr<ClassVariableVariant> variable) {
    auto* object = new vbs::HostObject(u"ClassVariableVariant");
    object->DefineMember(
        "", [variable](std::span<Value>) { return ToScriptValue(variable->Value); },
        [variable](std::span<Value>, const Value& value) {
            variable->Value = FromScriptValue(value);
        });
    return vbs::ObjectRef(object);
}

Value ToScriptValue(const ListValue& value) {
    struct Visitor {
        Value operator()(std::monostate) const { return Value(); }
        Value operator()(ListNull) const { return Value::Null(); }
        Value operator()(bool b) const { return Value::Boolean(b); }
        Value operator()(int32_t n) const {
            if (n >= std::numeric_limits<int16_t>::min() && n <= std::numeric_limits<int16_t>::max())
                return Value::Integer(static_cast<int16_t>(n));
            return Value::Long(n);
        }
        Value operator()(double d) const { return Value::Double(d); }
        Value operator()(const std::string& s) const { return Value::FromUtf8(s); }
        Value operator()(ListDate d) const { return Value::Date(d.serial); }
    };
    return std::visit(Visitor{}, value);
}

ListValue FromScriptValue(const Value& given) {
    const Value value = vbs::Resolve(given);
    switch (value.GetType()) {
    case vbs::Type::Empty: return std::monostate{};
    case vbs::Type::Null: return ListNull{};
    case vbs::Type::Boolean: return vbs::ToBool(value);
    case vbs::Type::Byte:
    case vbs::Type::Integer:
    case vbs::Type::Long: return vbs::ToLong(value);
    case vbs::Type::Single:
    case vbs::Type::Double:
    case vbs::Type::Currency: return vbs::ToDouble(value);
    case vbs::Type::Date: return ListDate{vbs::ToDate(value)};
    case vbs::Type::String: return vbs::ToUtf8(vbs::ToString(value));
    default: vbs::ThrowError(vbs::Err::TypeMismatch);
    }
}

} // namespace quillora
