// Built-in string functions: Len, Mid, InStr, Replace, Split, Join, Asc/Chr, Escape...
#include "vbscript/Builtins.h"

#include "core/Cp1252.h"

#include <algorithm>

namespace quillora::vbs::builtins {

namespace {

bool TextCompare(Args args, size_t i) {
    if (!Has(args, i)) return false;
    const int32_t mode = ToLong(args[i]);
    if (mode < 0 || mode > 2) ThrowError(Err::InvalidCall);
    return mode != 0;
}

// Finds `what` in `where` from 0-based `from`; npos when absent.
size_t Find(const std::u16string& where, const std::u16string& what, size_t from, bool text) {
    if (!text) return where.find(what, from);
    const std::u16string w = LowerText(where), f = LowerText(what);
    return w.find(f, from);
}

size_t FindLast(const std::u16string& where, const std::u16string& what, size_t before, bool text) {
    if (!text) return where.rfind(what, before);
    return LowerText(where).rfind(LowerText(what), before);
}

Value Len(Engine&, Args a) {
    const Value v = Plain(a, 0);
    if (v.IsNull()) return Value::Null();
    // A byte string of odd length counts whole characters only.
    if (v.IsOddByteString()) return Value::Long(static_cast<int32_t>(v.AsString().size()) - 1);
    return Value::Long(static_cast<int32_t>(ToString(v).size()));
}

Value Left(Engine&, Args a) {
    const Value v = Plain(a, 0);
    const int32_t n = NonNegative(a, 1);
    if (v.IsNull()) return Value::Null();
    const std::u16string s = ToString(v);
    return Value::Str(s.substr(0, std::min<size_t>(static_cast<size_t>(n), s.size())));
}

Value Right(Engine&, Args a) {
    const Value v = Plain(a, 0);
    const int32_t n = NonNegative(a, 1);
    if (v.IsNull()) return Value::Null();
    const std::u16string s = ToString(v);
    const size_t k = std::min<size_t>(static_cast<size_t>(n), s.size());
    return Value::Str(s.substr(s.size() - k));
}

Value Mid(Engine&, Args a) {
    const Value v = Plain(a, 0);
    const Value& startV = Arg(a, 1);
    if (startV.IsNull()) ThrowError(Err::InvalidUseOfNull);
    const int32_t start = ToLong(startV);
    if (start < 1) ThrowError(Err::InvalidCall);
    int32_t length = -1;
    if (Has(a, 2)) length = NonNegative(a, 2);
    if (v.IsNull()) return Value::Null();
    const std::u16string s = ToString(v);
    if (static_cast<size_t>(start) > s.size()) return Value::Str(u"");
    const size_t from = static_cast<size_t>(start) - 1;
    return Value::Str(length < 0 ? s.substr(from) : s.substr(from, static_cast<size_t>(length)));
}

Value InStr(Engine&, Args a) {
    size_t i = 0;
    int32_t start = 1;
    bool text = false;
    if (a.size() >= 3) {
        const Value& s = Arg(a, 0);
        if (s.IsNull()) ThrowError(Err::InvalidUseOfNull);
        start = ToLong(s);
        if (start < 1) ThrowError(Err::InvalidCall);
        i = 1;
        text = TextCompare(a, 3);
    } else if (a.size() != 2) {
        ThrowError(Err::WrongArgCount);
    }
    const Value s1 = Plain(a, i), s2 = Plain(a, i + 1);
    if (s1.IsNull() || s2.IsNull()) return Value::Null();
    const std::u16string where = ToString(s1), what = ToString(s2);
    if (static_cast<size_t>(start) > where.size()) return Value::Long(0);
    if (what.empty()) return Value::Long(start);
    const size_t pos = Find(where, what, static_cast<size_t>(start) - 1, text);
    return Value::Long(pos == std::u16string::npos ? 0 : static_cast<int32_t>(pos) + 1);
}

Value InStrRev(Engine&, Args a) {
    const Value s1 = Plain(a, 0), s2 = Plain(a, 1);
    int32_t start = LongOr(a, 2, -1);
    if (start == 0 || start < -1) ThrowError(Err::InvalidCall);
    const bool text = TextCompare(a, 3);
    if (s1.IsNull() || s2.IsNull()) return Value::Null();
    const std::u16string where = ToString(s1), what = ToString(s2);
    if (start == -1) start = static_cast<int32_t>(where.size());
    if (static_cast<size_t>(start) > where.size()) return Value::Long(0);
    if (what.empty()) return Value::Long(start);
    if (what.size() > static_cast<size_t>(start)) return Value::Long(0);
    const size_t pos = FindLast(where, what, static_cast<size_t>(start) - what.size(), text);
    return Value::Long(pos == std::u16string::npos ? 0 : static_cast<int32_t>(pos) + 1);
}

Value LCase(Engine&, Args a) {
    const Value v = Plain(a, 0);
    if (v.IsNull()) return Value::Null();
    return Value::Str(LowerText(ToString(v)));
}

Value UCase(Engine&, Args a) {
    const Value v = Plain(a, 0);
    if (v.IsNull()) return Value::Null();
    return Value::Str(UpperText(ToString(v)));
}

Value TrimSides(Args a, bool left, bool right) {
    const Value v = Plain(a, 0);
    if (v.IsNull()) return Value::Null();
    std::u16string s = ToString(v);
    size_t b = 0, e = s.size();
    if (left)
        while (b < e && s[b] == ' ')
            ++b;
    if (right)
        while (e > b && s[e - 1] == ' ')
            --e;
    return Value::Str(s.substr(b, e - b));
}
Value LTrim(Engine&, Args a) {
    return TrimSides(a, true, false);
}
Value RTrim(Engine&, Args a) {
    return TrimSides(a, false, true);
}
Value Trim(Engine&, Args a) {
    return TrimSides(a, true, true);
}

Value Space(Engine&, Args a) {
    const int32_t n = NonNegative(a, 0);
    if (static_cast<size_t>(n) > ArrayData::kMaxArrayItems * 4) ThrowError(Err::OutOfMemory);
    return Value::Str(std::u16string(static_cast<size_t>(n), u' '));
}

Value StringFn(Engine&, Args a) {
    const int32_t n = NonNegative(a, 0);
    const Value c = Plain(a, 1);
    if (c.IsNull()) return Value::Null();
    char16_t ch;
    if (c.IsString()) {
        if (c.AsString().empty()) ThrowError(Err::InvalidCall);
        ch = c.AsString()[0];
    } else {
        const int32_t code = ToLong(c);
        const int32_t byte = ((code % 256) + 256) % 256;
        ch = static_cast<char16_t>(Cp1252ToCodePoint(static_cast<unsigned char>(byte)));
    }
    if (static_cast<size_t>(n) > ArrayData::kMaxArrayItems * 4) ThrowError(Err::OutOfMemory);
    return Value::Str(std::u16string(static_cast<size_t>(n), ch));
}

Value StrComp(Engine&, Args a) {
    const Value x = Plain(a, 0), y = Plain(a, 1);
    const bool text = TextCompare(a, 2);
    if (x.IsNull() || y.IsNull()) return Value::Null();
    return Value::Integer(static_cast<int16_t>(CompareText(ToString(x), ToString(y), text)));
}

Value StrReverse(Engine&, Args a) {
    const Value v = Plain(a, 0);
    if (v.IsNull()) ThrowError(Err::InvalidUseOfNull);
    std::u16string s = ToString(v);
    std::reverse(s.begin(), s.end());
    return Value::Str(std::move(s));
}

Value Replace(Engine&, Args a) {
    const Value expr = Plain(a, 0), find = Plain(a, 1), with = Plain(a, 2);
    const int32_t start = LongOr(a, 3, 1);
    const int32_t count = LongOr(a, 4, -1);
    const bool text = TextCompare(a, 5);
    if (start < 1 || count < -1) ThrowError(Err::InvalidCall);
    if (expr.IsNull() || find.IsNull() || with.IsNull()) ThrowError(Err::InvalidUseOfNull);
    const std::u16string s = ToString(expr), f = ToString(find), w = ToString(with);
    if (static_cast<size_t>(start) > s.size()) return Value::Str(u"");
    std::u16string rest = s.substr(static_cast<size_t>(start) - 1);
    if (f.empty() || count == 0) return Value::Str(std::move(rest));
    std::u16string out;
    const std::u16string hay = text ? LowerText(rest) : rest;
    const std::u16string needle = text ? LowerText(f) : f;
    size_t pos = 0;
    int done = 0;
    while (count < 0 || done < count) {
        const size_t hit = hay.find(needle, pos);
        if (hit == std::u16string::npos) break;
        out.append(rest, pos, hit - pos);
        out += w;
        pos = hit + f.size();
        ++done;
    }
    out.append(rest, pos, std::u16string::npos);
    return Value::Str(std::move(out));
}

Value MakeStringArray(const std::vector<std::u16string>& parts) {
    ArrayData* arr = ArrayData::Create({static_cast<int32_t>(parts.size()) - 1});
    for (size_t i = 0; i < parts.size(); ++i)
        arr->items[i] = Value::Str(parts[i]);
    return Value::ArrayAdopt(arr);
}

Value Split(Engine&, Args a) {
    const Value expr = Plain(a, 0);
    std::u16string delim = u" ";
    if (Has(a, 1)) {
        const Value d = Plain(a, 1);
        if (d.IsNull()) ThrowError(Err::InvalidUseOfNull);
        delim = ToString(d);
    }
    const int32_t count = LongOr(a, 2, -1);
    const bool text = TextCompare(a, 3);
    if (count < -1) ThrowError(Err::InvalidCall);
    if (expr.IsNull()) ThrowError(Err::InvalidUseOfNull);
    const std::u16string s = ToString(expr);
    std::vector<std::u16string> parts;
    if (s.empty() || count == 0) return MakeStringArray(parts);
    if (delim.empty()) return MakeStringArray({s});
    const std::u16string hay = text ? LowerText(s) : s;
    const std::u16string needle = text ? LowerText(delim) : delim;
    size_t pos = 0;
    while (count < 0 || static_cast<int32_t>(parts.size()) < count - 1) {
        const size_t hit = hay.find(needle, pos);
        if (hit == std::u16string::npos) break;
        parts.push_back(s.substr(pos, hit - pos));
        pos = hit + delim.size();
    }
    parts.push_back(s.substr(pos));
    return MakeStringArray(parts);
}

const ArrayData& OneDimensional(const Value& v) {
    if (!v.IsArray()) ThrowTypeMismatch();
    if (v.AsArray()->Dimensions() != 1) ThrowError(Err::OutOfRange);
    return *v.AsArray();
}

Value Join(Engine&, Args a) {
    const ArrayData& arr = OneDimensional(Arg(a, 0));
    std::u16string delim = u" ";
    if (Has(a, 1)) delim = Text(a, 1);
    std::u16string out;
    for (size_t i = 0; i < arr.items.size(); ++i) {
        if (i) out += delim;
        out += ToDisplayString(arr.items[i]);
    }
    return Value::Str(std::move(out));
}

Value Filter(Engine&, Args a) {
    const Value& src = Arg(a, 0);
    if (src.IsNull()) ThrowError(Err::InvalidUseOfNull);
    const ArrayData& arr = OneDimensional(src);
    const std::u16string what = Text(a, 1);
    const bool include = Has(a, 2) ? ToBool(a[2]) : true;
    const bool text = TextCompare(a, 3);
    std::vector<std::u16string> kept;
    for (const Value& item : arr.items) {
        const std::u16string s = ToDisplayString(item);
        const bool found = Find(s, what, 0, text) != std::u16string::npos;
        if (found == include) kept.push_back(s);
    }
    return MakeStringArray(kept);
}

Value Asc(Engine&, Args a) {
    const Value v = Plain(a, 0);
    if (v.IsNull()) ThrowError(Err::InvalidUseOfNull);
    const std::u16string s = ToString(v);
    if (s.empty()) ThrowError(Err::InvalidCall);
    const int code = CodePointToCp1252(s[0]);
    return Value::Integer(static_cast<int16_t>(code < 0 ? '?' : code));
}

Value AscW(Engine&, Args a) {
    const Value v = Plain(a, 0);
    if (v.IsNull()) ThrowError(Err::InvalidUseOfNull);
    const std::u16string s = ToString(v);
    if (s.empty()) ThrowError(Err::InvalidCall);
    return Value::Integer(static_cast<int16_t>(s[0]));
}

Value Chr(Engine&, Args a) {
    const Value& v = Arg(a, 0);
    if (v.IsNull()) ThrowError(Err::InvalidUseOfNull);
    const int32_t code = ToLong(v);
    if (code < 0 || code > 255) ThrowError(Err::InvalidCall);
    return Value::Str(std::u16string(
        1, static_cast<char16_t>(Cp1252ToCodePoint(static_cast<unsigned char>(code)))));
}

Value ChrW(Engine&, Args a) {
    const Value& v = Arg(a, 0);
    if (v.IsNull()) ThrowError(Err::InvalidUseOfNull);
    const int32_t code = ToLong(v);
    if (code < -32768 || code > 65535) ThrowError(Err::InvalidCall);
    return Value::Str(std::u16string(1, static_cast<char16_t>(code & 0xFFFF)));
}

Value Escape(Engine&, Args a) {
    const Value v = Plain(a, 0);
    if (v.IsNull()) return Value::Null();
    const std::u16string s = ToString(v);
    static const char* hex = "0123456789ABCDEF";
    std::u16string out;
    for (char16_t c : s) {
        const bool keep = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                          (c >= '0' && c <= '9') || c == '@' || c == '*' || c == '_' || c == '+' ||
                          c == '-' || c == '.' || c == '/';
        if (keep) {
            out.push_back(c);
        } else if (c < 256) {
            out.push_back('%');
            out.push_back(static_cast<char16_t>(hex[c >> 4]));
            out.push_back(static_cast<char16_t>(hex[c & 15]));
        } else {
            out += u"%u";
            for (int shift = 12; shift >= 0; shift -= 4)
                out.push_back(static_cast<char16_t>(hex[(c >> shift) & 15]));
        }
    }
    return Value::Str(std::move(out));
}

int HexDigit(char16_t c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

Value Unescape(Engine&, Args a) {
    const Value v = Plain(a, 0);
    if (v.IsNull()) return Value::Null();
    const std::u16string s = ToString(v);
    std::u16string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '%' && i + 5 < s.size() && (s[i + 1] == 'u' || s[i + 1] == 'U')) {
            int code = 0;
            bool ok = true;
            for (size_t k = 2; k < 6 && ok; ++k) {
                const int d = HexDigit(s[i + k]);
                ok = d >= 0;
                code = code * 16 + d;
            }
            if (ok) {
                out.push_back(static_cast<char16_t>(code));
                i += 5;
                continue;
            }
        }
        if (s[i] == '%' && i + 2 < s.size() && HexDigit(s[i + 1]) >= 0 && HexDigit(s[i + 2]) >= 0) {
            out.push_back(static_cast<char16_t>(HexDigit(s[i + 1]) * 16 + HexDigit(s[i + 2])));
            i += 2;
            continue;
        }
        out.push_back(s[i]);
    }
    return Value::Str(std::move(out));
}

const BuiltinDef kText[] = {
    {"Len", 1, 1, Len},           {"Left", 2, 2, Left},       {"Right", 2, 2, Right},
    {"Mid", 2, 3, Mid},           {"InStr", 2, 4, InStr},     {"InStrRev", 2, 4, InStrRev},
    {"LCase", 1, 1, LCase},       {"UCase", 1, 1, UCase},     {"LTrim", 1, 1, LTrim},
    {"RTrim", 1, 1, RTrim},       {"Trim", 1, 1, Trim},       {"Space", 1, 1, Space},
    {"String", 2, 2, StringFn},   {"StrComp", 2, 3, StrComp}, {"StrReverse", 1, 1, StrReverse},
    {"Replace", 3, 6, Replace},   {"Split", 1, 4, Split},     {"Join", 1, 2, Join},
    {"Filter", 2, 4, Filter},     {"Asc", 1, 1, Asc},         {"AscW", 1, 1, AscW},
    {"Chr", 1, 1, Chr},           {"ChrW", 1, 1, ChrW},       {"Escape", 1, 1, Escape},
    {"Unescape", 1, 1, Unescape},
};

} // namespace

std::span<const BuiltinDef> TextFunctions() {
    return kText;
}

} // namespace quillora::vbs::builtins
