// The byte variants of the string functions (LenB, AscB, LeftB, RightB, MidB, InStrB): they
// count the two bytes of each UTF-16 unit. Strings hold whole units, so an offset or a count
// that splits a unit is taken to the unit boundary before it.
#include "vbscript/Builtins.h"

#include <algorithm>

namespace quillora::vbs::builtins {

namespace {

Value LenB(Engine&, Args a) {
    const Value v = Plain(a, 0);
    if (v.IsNull()) return Value::Null();
    return Value::Long(static_cast<int32_t>(ToString(v).size() * 2));
}

Value AscB(Engine&, Args a) {
    const Value v = Plain(a, 0);
    if (v.IsNull()) ThrowError(Err::InvalidUseOfNull);
    const std::u16string s = ToString(v);
    if (s.empty()) ThrowError(Err::InvalidCall);
    return Value::Integer(static_cast<int16_t>(s[0] & 0xFF));
}

Value LeftB(Engine&, Args a) {
    const Value v = Plain(a, 0);
    const size_t units = static_cast<size_t>(NonNegative(a, 1)) / 2;
    if (v.IsNull()) return Value::Null();
    const std::u16string s = ToString(v);
    return Value::Str(s.substr(0, std::min(units, s.size())));
}

Value RightB(Engine&, Args a) {
    const Value v = Plain(a, 0);
    const size_t units = static_cast<size_t>(NonNegative(a, 1)) / 2;
    if (v.IsNull()) return Value::Null();
    const std::u16string s = ToString(v);
    return Value::Str(s.substr(s.size() - std::min(units, s.size())));
}

Value MidB(Engine&, Args a) {
    const Value v = Plain(a, 0);
    const Value& startV = Arg(a, 1);
    if (startV.IsNull()) ThrowError(Err::InvalidUseOfNull);
    const int32_t start = ToLong(startV);
    if (start < 1) ThrowError(Err::InvalidCall);
    const bool all = !Has(a, 2);
    const size_t units = all ? 0 : static_cast<size_t>(NonNegative(a, 2)) / 2;
    if (v.IsNull()) return Value::Null();
    const std::u16string s = ToString(v);
    const size_t from = static_cast<size_t>(start - 1) / 2;
    if (from >= s.size()) return Value::Str(u"");
    return Value::Str(all ? s.substr(from) : s.substr(from, units));
}

Value InStrB(Engine&, Args a) {
    size_t i = 0;
    int32_t start = 1;
    if (a.size() >= 3) {
        const Value& s = Arg(a, 0);
        if (s.IsNull()) ThrowError(Err::InvalidUseOfNull);
        start = ToLong(s);
        if (start < 1) ThrowError(Err::InvalidCall);
        i = 1;
        if (Has(a, 3)) {
            const int32_t mode = ToLong(a[3]);
            if (mode < 0 || mode > 2) ThrowError(Err::InvalidCall);
        }
    } else if (a.size() != 2) {
        ThrowError(Err::WrongArgCount);
    }
    const Value s1 = Plain(a, i), s2 = Plain(a, i + 1);
    if (s1.IsNull() || s2.IsNull()) return Value::Null();
    const std::u16string where = ToString(s1), what = ToString(s2);
    if (static_cast<size_t>(start) > where.size() * 2) return Value::Long(0);
    if (what.empty()) return Value::Long(start);
    // Bytes compare as bytes: a match starts on a whole unit, found from the unit `start` is in.
    const size_t pos = where.find(what, static_cast<size_t>(start) / 2);
    return Value::Long(pos == std::u16string::npos ? 0 : static_cast<int32_t>(pos) * 2 + 1);
}

const BuiltinDef kBytes[] = {
    {"LenB", 1, 1, LenB},     {"AscB", 1, 1, AscB}, {"LeftB", 2, 2, LeftB},
    {"RightB", 2, 2, RightB}, {"MidB", 2, 3, MidB}, {"InStrB", 2, 4, InStrB},
};

} // namespace

std::span<const BuiltinDef> ByteFunctions() {
    return kBytes;
}

} // namespace quillora::vbs::builtins
