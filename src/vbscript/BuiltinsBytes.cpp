// The byte variants of the string functions (ChrB, LenB, AscB, LeftB, RightB, MidB, InStrB):
// they see a string as its bytes, two to a UTF-16 unit, low byte first. What they return is
// a byte string, whose length may be odd.
#include "vbscript/Builtins.h"

#include <algorithm>

namespace quillora::vbs::builtins {

namespace {

std::string BytesOf(const Value& v) {
    return v.IsString() ? v.Bytes() : Value::Str(ToString(v)).Bytes();
}

Value ChrB(Engine&, Args a) {
    const Value& v = Arg(a, 0);
    if (v.IsNull()) ThrowError(Err::InvalidUseOfNull);
    const int32_t code = ToLong(v);
    if (code < 0 || code > 255) ThrowError(Err::InvalidCall);
    return Value::FromBytes(std::string(1, static_cast<char>(code)));
}

Value LenB(Engine&, Args a) {
    const Value v = Plain(a, 0);
    if (v.IsNull()) return Value::Null();
    return Value::Long(static_cast<int32_t>(BytesOf(v).size()));
}

Value AscB(Engine&, Args a) {
    const Value v = Plain(a, 0);
    if (v.IsNull()) ThrowError(Err::InvalidUseOfNull);
    const std::string bytes = BytesOf(v);
    if (bytes.empty()) ThrowError(Err::InvalidCall);
    return Value::Integer(static_cast<unsigned char>(bytes[0]));
}

Value LeftB(Engine&, Args a) {
    const Value v = Plain(a, 0);
    const size_t count = static_cast<size_t>(NonNegative(a, 1));
    if (v.IsNull()) return Value::Null();
    return Value::FromBytes(BytesOf(v).substr(0, count));
}

Value RightB(Engine&, Args a) {
    const Value v = Plain(a, 0);
    const size_t count = static_cast<size_t>(NonNegative(a, 1));
    if (v.IsNull()) return Value::Null();
    const std::string bytes = BytesOf(v);
    return Value::FromBytes(bytes.substr(bytes.size() - std::min(count, bytes.size())));
}

Value MidB(Engine&, Args a) {
    const Value v = Plain(a, 0);
    const Value& startV = Arg(a, 1);
    if (startV.IsNull()) ThrowError(Err::InvalidUseOfNull);
    const int32_t start = ToLong(startV);
    if (start < 1) ThrowError(Err::InvalidCall);
    const bool all = !Has(a, 2);
    const size_t count = all ? std::string::npos : static_cast<size_t>(NonNegative(a, 2));
    if (v.IsNull()) return Value::Null();
    const std::string bytes = BytesOf(v);
    const size_t from = static_cast<size_t>(start - 1);
    if (from >= bytes.size()) return Value::Str(u"");
    return Value::FromBytes(bytes.substr(from, count));
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
    const std::string where = BytesOf(s1), what = BytesOf(s2);
    if (static_cast<size_t>(start) > where.size()) return Value::Long(0);
    if (what.empty()) return Value::Long(start);
    const size_t pos = where.find(what, static_cast<size_t>(start) - 1);
    return Value::Long(pos == std::string::npos ? 0 : static_cast<int32_t>(pos) + 1);
}

const BuiltinDef kBytes[] = {
    {"ChrB", 1, 1, ChrB},     {"LenB", 1, 1, LenB},     {"AscB", 1, 1, AscB},
    {"LeftB", 2, 2, LeftB},   {"RightB", 2, 2, RightB}, {"MidB", 2, 3, MidB},
    {"InStrB", 2, 4, InStrB},
};

} // namespace

std::span<const BuiltinDef> ByteFunctions() {
    return kBytes;
}

} // namespace quillora::vbs::builtins
