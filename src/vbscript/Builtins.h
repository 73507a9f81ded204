// Shared helpers of the built-in function library (argument access, tables per topic).
#pragma once

#include "vbscript/Convert.h"
#include "vbscript/Engine.h"
#include "vbscript/Errors.h"

#include <span>

namespace quillora::vbs::builtins {

using Args = std::span<Value>;

// The value of argument i (references followed).
inline const Value& Arg(Args args, size_t i) {
    return args[i].Deref();
}
// Whether argument i was given (present and not omitted).
inline bool Has(Args args, size_t i) {
    return i < args.size() && !args[i].Deref().IsMissing();
}
// The value of argument i with objects replaced by their default values.
inline Value Plain(Args args, size_t i) {
    return Resolve(args[i]);
}
// Argument i as a Long, or `fallback` when it was not given.
inline int32_t LongOr(Args args, size_t i, int32_t fallback) {
    return Has(args, i) ? ToLong(args[i]) : fallback;
}
// Argument i as a count or length: 94 for Null, 5 when negative.
inline int32_t NonNegative(Args args, size_t i) {
    const Value& v = Arg(args, i);
    if (v.IsNull()) ThrowError(Err::InvalidUseOfNull);
    const int32_t n = ToLong(v);
    if (n < 0) ThrowError(Err::InvalidCall);
    return n;
}
// Argument i as text; raises 94 for Null.
inline std::u16string Text(Args args, size_t i) {
    return ToString(args[i]);
}

// The function tables of each topic.
std::span<const BuiltinDef> TextFunctions();
std::span<const BuiltinDef> ByteFunctions();
std::span<const BuiltinDef> MathFunctions();
std::span<const BuiltinDef> DateFunctions();
std::span<const BuiltinDef> FormatFunctions();
std::span<const BuiltinDef> HostFunctions();

// Formats a number with fixed decimals and thousands groups, rounding halves away from zero:
// the core of FormatNumber, FormatCurrency and FormatPercent.
std::u16string FormatFixed(double x, int decimals, bool leadingDigit, bool parensForNegative,
                           bool group);

} // namespace quillora::vbs::builtins
