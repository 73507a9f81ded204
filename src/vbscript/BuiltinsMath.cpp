// Built-in conversion, math, information and array functions (CInt, Round, Rnd, TypeName,
// UBound...).
#include "vbscript/Builtins.h"

#include "core/Clock.h"
#include "vbscript/Operators.h"

#include <cmath>
#include <cstring>

namespace quillora::vbs::builtins {

namespace {

// Conversions: Null is refused (94), Empty converts to zero.
Value NotNull(Args a) {
    Value v = Plain(a, 0);
    if (v.IsNull()) ThrowError(Err::InvalidUseOfNull);
    return v;
}

Value CBool(Engine&, Args a) {
    return Value::Boolean(ToBool(NotNull(a)));
}
Value CByte(Engine&, Args a) {
    return Value::Byte(ToByte(NotNull(a)));
}
Value CCur(Engine&, Args a) {
    return Value::CurrencyScaled(ToCurrency(NotNull(a)));
}
Value CDate(Engine&, Args a) {
    return Value::Date(ToDate(NotNull(a)));
}
Value CDbl(Engine&, Args a) {
    return Value::Double(ToDouble(NotNull(a)));
}
Value CInt(Engine&, Args a) {
    return Value::Integer(ToInteger(NotNull(a)));
}
Value CLng(Engine&, Args a) {
    return Value::Long(ToLong(NotNull(a)));
}
Value CSng(Engine&, Args a) {
    return Value::Single(ToSingle(NotNull(a)));
}
Value CStr(Engine&, Args a) {
    return Value::Str(ToString(NotNull(a)));
}

Value Radix(Args a, int bitsPerDigit) {
    const Value v = Plain(a, 0);
    if (v.IsNull()) return Value::Null();
    if (v.IsEmpty()) return Value::Str(u"0");
    uint32_t x;
    int width;
    if (v.GetType() == Type::Integer || v.GetType() == Type::Byte || v.GetType() == Type::Boolean) {
        x = static_cast<uint16_t>(v.GetType() == Type::Boolean ? (v.AsBool() ? -1 : 0) : v.AsInt());
        width = 16;
    } else {
        x = static_cast<uint32_t>(ToLong(v));
        width = 32;
    }
    if (width == 16 && (v.GetType() == Type::Byte)) x &= 0xFF;
    std::u16string out;
    const uint32_t mask = (1u << bitsPerDigit) - 1;
    do {
        const uint32_t d = x & mask;
        out.insert(out.begin(), static_cast<char16_t>(d < 10 ? '0' + d : 'A' + d - 10));
        x >>= bitsPerDigit;
    } while (x);
    return Value::Str(std::move(out));
}
Value Hex(Engine&, Args a) {
    return Radix(a, 4);
}
Value Oct(Engine&, Args a) {
    return Radix(a, 3);
}

// Int and Fix keep the numeric type of their argument.
Value WholePart(Args a, bool floorIt) {
    const Value v = Plain(a, 0);
    auto op = [&](double d) { return floorIt ? std::floor(d) : std::trunc(d); };
    switch (v.GetType()) {
    case Type::Null: return Value::Null();
    case Type::Empty: return Value::Integer(0);
    case Type::Boolean: return Value::Integer(v.AsBool() ? -1 : 0);
    case Type::Byte:
    case Type::Integer:
    case Type::Long: return v;
    case Type::Single: return Value::Single(static_cast<float>(op(v.AsDouble())));
    case Type::Double: return Value::Double(op(v.AsDouble()));
    case Type::Date: return Value::Date(op(v.AsDouble()));
    case Type::Currency: {
        const double units = static_cast<double>(v.AsInt()) / 10000.0;
        return Value::CurrencyScaled(static_cast<int64_t>(op(units)) * 10000);
    }
    default: return Value::Double(op(ToDouble(v)));
    }
}
Value Int(Engine&, Args a) {
    return WholePart(a, true);
}
Value Fix(Engine&, Args a) {
    return WholePart(a, false);
}

Value Abs(Engine&, Args a) {
    const Value v = Plain(a, 0);
    switch (v.GetType()) {
    case Type::Null: return Value::Null();
    case Type::Empty: return Value::Integer(0);
    case Type::Boolean: return Value::Integer(v.AsBool() ? 1 : 0);
    case Type::Byte: return v;
    case Type::Integer: return v.AsInt() < 0 ? Negate(v) : v;
    case Type::Long: return v.AsInt() < 0 ? Negate(v) : v;
    case Type::Single: return Value::Single(static_cast<float>(std::fabs(v.AsDouble())));
    case Type::Currency: return Value::CurrencyScaled(v.AsInt() < 0 ? -v.AsInt() : v.AsInt());
    case Type::Date: return Value::Date(std::fabs(v.AsDouble()));
    default: return Value::Double(std::fabs(ToDouble(v)));
    }
}

Value Sgn(Engine&, Args a) {
    const Value v = Plain(a, 0);
    if (v.IsNull()) return Value::Null();
    const double d = ToDouble(v);
    return Value::Integer(static_cast<int16_t>(d > 0 ? 1 : d < 0 ? -1 : 0));
}

double Number(Args a) {
    const Value v = Plain(a, 0);
    if (v.IsNull()) ThrowError(Err::InvalidUseOfNull);
    return ToDouble(v);
}
Value MathResult(double r) {
    if (std::isnan(r)) ThrowError(Err::InvalidCall);
    if (std::isinf(r)) ThrowError(Err::Overflow);
    return Value::Double(r);
}
Value Sqr(Engine&, Args a) {
    if (Arg(a, 0).IsNull()) return Value::Null();
    const double d = Number(a);
    if (d < 0) ThrowError(Err::InvalidCall);
    return Value::Double(std::sqrt(d));
}
Value Log(Engine&, Args a) {
    if (Arg(a, 0).IsNull()) return Value::Null();
    const double d = Number(a);
    if (d <= 0) ThrowError(Err::InvalidCall);
    return Value::Double(std::log(d));
}
Value Exp(Engine&, Args a) {
    if (Arg(a, 0).IsNull()) return Value::Null();
    return MathResult(std::exp(Number(a)));
}
Value Sin(Engine&, Args a) {
    return Arg(a, 0).IsNull() ? Value::Null() : MathResult(std::sin(Number(a)));
}
Value Cos(Engine&, Args a) {
    return Arg(a, 0).IsNull() ? Value::Null() : MathResult(std::cos(Number(a)));
}
Value Tan(Engine&, Args a) {
    return Arg(a, 0).IsNull() ? Value::Null() : MathResult(std::tan(Number(a)));
}
Value Atn(Engine&, Args a) {
    return Arg(a, 0).IsNull() ? Value::Null() : MathResult(std::atan(Number(a)));
}

Value Round(Engine&, Args a) {
    const Value v = Plain(a, 0);
    const int32_t digits = LongOr(a, 1, 0);
    if (digits < 0) ThrowError(Err::InvalidCall);
    if (v.IsNull()) return Value::Null();
    switch (v.GetType()) {
    case Type::Empty: return Value::Integer(0);
    case Type::Boolean:
    case Type::Byte:
    case Type::Integer:
    case Type::Long: return v;
    default: break;
    }
    const double d = ToDouble(v);
    const double scale = std::pow(10.0, std::min(digits, 22));
    double r = std::nearbyint(d * scale) / scale;
    if (digits > 15 || std::isinf(d * scale)) r = d;
    if (v.GetType() == Type::Single) return Value::Single(static_cast<float>(r));
    if (v.GetType() == Type::Currency)
        return Value::CurrencyScaled(static_cast<int64_t>(std::nearbyint(r * 10000.0)));
    if (v.GetType() == Type::Date) return Value::Date(r);
    return Value::Double(r);
}

// Rnd and Randomize follow the classic 24-bit linear congruential generator.

Value Rnd(Engine& e, Args a) {
    uint32_t& seed = e.RandomSeed();
    // The seed is the last number drawn: Rnd(0) repeats it, before any draw too.
    if (Has(a, 0)) {
        const double n = ToDouble(Plain(a, 0));
        if (n == 0) return Value::Single(static_cast<float>(seed) / 16777216.0f);
        if (n < 0) {
            const float f = static_cast<float>(n);
            uint32_t bits;
            std::memcpy(&bits, &f, sizeof bits);
            seed = (bits + (bits >> 24)) & 0xFFFFFF;
        }
    }
    seed = (seed * 0x43FD43FDu + 0xC39EC3u) & 0xFFFFFF;
    return Value::Single(static_cast<float>(seed) / 16777216.0f);
}

Value Randomize(Engine& e, Args a) {
    uint32_t& seed = e.RandomSeed();
    double n;
    if (Has(a, 0))
        n = ToDouble(Plain(a, 0));
    else
        n = quillora::TheClock().SecondsSinceMidnight();
    uint64_t bits;
    std::memcpy(&bits, &n, sizeof bits);
    const uint32_t hi = static_cast<uint32_t>(bits >> 32);
    const uint32_t mixed = ((hi & 0xFFFF) ^ (hi >> 16)) << 8;
    seed = (seed & 0xFF0000FFu) | (mixed & 0x00FFFF00u);
    return {};
}

// ---- information

Value IsArray(Engine&, Args a) {
    return Value::Boolean(Arg(a, 0).IsArray());
}
Value IsEmpty(Engine&, Args a) {
    return Value::Boolean(Arg(a, 0).IsEmpty());
}
Value IsNull(Engine&, Args a) {
    return Value::Boolean(Arg(a, 0).IsNull());
}
Value IsObject(Engine&, Args a) {
    return Value::Boolean(Arg(a, 0).IsObject());
}
Value IsNumeric(Engine&, Args a) {
    const Value& v = Arg(a, 0);
    if (v.GetType() == Type::Date) return Value::Boolean(false);
    if (v.IsObject()) {
        try {
            return Value::Boolean(IsNumericValue(Resolve(v)));
        } catch (const ScriptError&) {
            return Value::Boolean(false);
        }
    }
    return Value::Boolean(IsNumericValue(v));
}
Value IsDate(Engine&, Args a) {
    const Value& v = Arg(a, 0);
    if (v.GetType() == Type::Date) return Value::Boolean(true);
    if (!v.IsString()) return Value::Boolean(false);
    double serial = 0;
    return Value::Boolean(ParseDate(v.AsString(), serial));
}
Value TypeName(Engine&, Args a) {
    return Value::Str(TypeNameOf(Arg(a, 0)));
}
Value VarType(Engine&, Args a) {
    const Value& v = Arg(a, 0);
    if (v.IsObject() && v.AsObject()) {
        // An object with a default property reports that property's type.
        try {
            const Value d = Resolve(v);
            return Value::Integer(static_cast<int16_t>(VarTypeCode(d)));
        } catch (const ScriptError&) {
            return Value::Integer(9);
        }
    }
    return Value::Integer(static_cast<int16_t>(VarTypeCode(v)));
}

// ---- arrays

Value Bound(Args a, bool upper) {
    const Value& v = Arg(a, 0);
    if (!v.IsArray()) ThrowTypeMismatch();
    const ArrayData* arr = v.AsArray();
    const int32_t dim = LongOr(a, 1, 1);
    if (dim < 1 || static_cast<size_t>(dim) > arr->Dimensions()) ThrowError(Err::OutOfRange);
    return Value::Long(upper ? arr->upper[static_cast<size_t>(dim) - 1]
                             : arr->lower[static_cast<size_t>(dim) - 1]);
}
Value LBound(Engine&, Args a) {
    return Bound(a, false);
}
Value UBound(Engine&, Args a) {
    return Bound(a, true);
}

Value ArrayFn(Engine&, Args a) {
    ArrayData* arr = ArrayData::Create({static_cast<int32_t>(a.size()) - 1});
    for (size_t i = 0; i < a.size(); ++i)
        arr->items[i] = a[i].Deref();
    return Value::ArrayAdopt(arr);
}

const BuiltinDef kMath[] = {
    {"CBool", 1, 1, CBool},
    {"CByte", 1, 1, CByte},
    {"CCur", 1, 1, CCur},
    {"CDate", 1, 1, CDate},
    {"CDbl", 1, 1, CDbl},
    {"CInt", 1, 1, CInt},
    {"CLng", 1, 1, CLng},
    {"CSng", 1, 1, CSng},
    {"CStr", 1, 1, CStr},
    {"Hex", 1, 1, Hex},
    {"Oct", 1, 1, Oct},
    {"Int", 1, 1, Int},
    {"Fix", 1, 1, Fix},
    {"Abs", 1, 1, Abs},
    {"Sgn", 1, 1, Sgn},
    {"Sqr", 1, 1, Sqr},
    {"Log", 1, 1, Log},
    {"Exp", 1, 1, Exp},
    {"Sin", 1, 1, Sin},
    {"Cos", 1, 1, Cos},
    {"Tan", 1, 1, Tan},
    {"Atn", 1, 1, Atn},
    {"Round", 1, 2, Round},
    {"Rnd", 0, 1, Rnd},
    {"Randomize", 0, 1, Randomize},
    {"IsArray", 1, 1, IsArray},
    {"IsEmpty", 1, 1, IsEmpty},
    {"IsNull", 1, 1, IsNull},
    {"IsObject", 1, 1, IsObject},
    {"IsNumeric", 1, 1, IsNumeric},
    {"IsDate", 1, 1, IsDate},
    {"TypeName", 1, 1, TypeName},
    {"VarType", 1, 1, VarType},
    {"LBound", 1, 2, LBound},
    {"UBound", 1, 2, UBound},
    {"Array", 0, 127, ArrayFn},
};

} // namespace

std::span<const BuiltinDef> MathFunctions() {
    return kMath;
}

} // namespace quillora::vbs::builtins
