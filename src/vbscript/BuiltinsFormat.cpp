// Built-in number formatting (FormatNumber, FormatCurrency, FormatPercent) and the named constants.
#include "vbscript/Builtins.h"
#include "vbscript/Locale.h"

#include <cmath>
#include <cstdio>

namespace quillora::vbs::builtins {

std::u16string FormatFixed(double x, int decimals, bool leadingDigit, bool parensForNegative,
                           bool group) {
    const bool negative = x < 0;
    const double a = std::fabs(x);
    std::string intPart = "0", frac;
    if (a != 0) {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.14e", a);
        std::string digits;
        const char* p = buf;
        for (; *p && *p != 'e'; ++p)
            if (*p >= '0' && *p <= '9') digits.push_back(*p);
        const int exponent = std::atoi(p + 1);
        if (exponent >= 0) {
            if (static_cast<int>(digits.size()) < exponent + 1)
                digits.append(static_cast<size_t>(exponent + 1) - digits.size(), '0');
            intPart = digits.substr(0, static_cast<size_t>(exponent) + 1);
            frac = digits.substr(static_cast<size_t>(exponent) + 1);
        } else {
            frac = std::string(static_cast<size_t>(-exponent - 1), '0') + digits;
        }
    }
    // Round half away from zero at the wanted decimal.
    if (frac.size() > static_cast<size_t>(decimals)) {
        const bool up = frac[static_cast<size_t>(decimals)] >= '5';
        frac.resize(static_cast<size_t>(decimals));
        if (up) {
            int i = static_cast<int>(frac.size()) - 1;
            for (; i >= 0; --i) {
                if (frac[static_cast<size_t>(i)] == '9') {
                    frac[static_cast<size_t>(i)] = '0';
                } else {
                    ++frac[static_cast<size_t>(i)];
                    break;
                }
            }
            if (i < 0) {
                int j = static_cast<int>(intPart.size()) - 1;
                for (; j >= 0; --j) {
                    if (intPart[static_cast<size_t>(j)] == '9') {
                        intPart[static_cast<size_t>(j)] = '0';
                    } else {
                        ++intPart[static_cast<size_t>(j)];
                        break;
                    }
                }
                if (j < 0) intPart.insert(intPart.begin(), '1');
            }
        }
    } else {
        frac.append(static_cast<size_t>(decimals) - frac.size(), '0');
    }
    while (intPart.size() > 1 && intPart[0] == '0')
        intPart.erase(0, 1);
    const bool isZero = intPart == "0" && frac.find_first_not_of('0') == std::string::npos;
    if (group && intPart.size() > 3) {
        std::string grouped;
        const size_t lead = intPart.size() % 3;
        for (size_t i = 0; i < intPart.size(); ++i) {
            if (i && (i - lead) % 3 == 0 && i >= lead) grouped.push_back(',');
            grouped.push_back(intPart[i]);
        }
        if (grouped[0] == ',') grouped.erase(0, 1);
        intPart = grouped;
    }
    if (!leadingDigit && intPart == "0" && decimals > 0) intPart.clear();
    std::string out = intPart;
    if (decimals > 0) out += "." + frac;
    if (negative && !isZero) out = parensForNegative ? "(" + out + ")" : "-" + out;
    return Ascii(out);
}

namespace {

// A tristate argument: -1 True, 0 False, -2 (or absent) the locale's default.
bool Tristate(Args a, size_t i, bool fallback) {
    if (!Has(a, i)) return fallback;
    const int32_t v = ToLong(a[i]);
    if (v == -2) return fallback;
    return v != 0;
}

int Decimals(Args a, size_t i) {
    const int32_t d = LongOr(a, i, -1);
    if (d == -1) return 2;
    if (d < -1 || d > 255) ThrowError(Err::InvalidCall);
    return d;
}

double FormatArg(Args a) {
    const Value v = Plain(a, 0);
    if (v.IsNull()) ThrowTypeMismatch();
    return ToDouble(v);
}

Value FormatNumber(Engine&, Args a) {
    const double x = FormatArg(a);
    return Value::Str(LocalizeNumber(FormatFixed(x, Decimals(a, 1), Tristate(a, 2, true),
                                                 Tristate(a, 3, false), Tristate(a, 4, true))));
}

Value FormatCurrencyFn(Engine&, Args a) {
    const double x = FormatArg(a);
    // Negative amounts: in parentheses in the default locale, with a minus sign in others.
    const bool parens = Tristate(a, 3, CurrentLocale() == nullptr);
    std::u16string body = FormatFixed(std::fabs(x), Decimals(a, 1), Tristate(a, 2, true), false,
                                      Tristate(a, 4, true));
    const std::u16string zeroCheck = FormatFixed(x, Decimals(a, 1), true, false, false);
    const bool negative = x < 0 && zeroCheck[0] == '-';
    body = LocalizeNumber(std::move(body));
    std::u16string out = u"$" + body;
    if (const LocaleInfo* locale = CurrentLocale()) {
        const std::u16string space = locale->currencySpace ? u" " : u"";
        out = locale->currencyFirst ? locale->currencySymbol + space + body
                                    : body + space + locale->currencySymbol;
    }
    if (negative) out = parens ? u"(" + out + u")" : u"-" + out;
    return Value::Str(std::move(out));
}

Value FormatPercent(Engine&, Args a) {
    const double x = FormatArg(a) * 100.0;
    const int decimals = Decimals(a, 1);
    const std::u16string body =
        LocalizeNumber(FormatFixed(std::fabs(x), decimals, Tristate(a, 2, true), false,
                                   Tristate(a, 4, true))) +
        u"%";
    const bool negative = x < 0 && FormatFixed(x, decimals, true, false, false)[0] == '-';
    if (!negative) return Value::Str(body);
    return Value::Str(Tristate(a, 3, false) ? u"(" + body + u")" : u"-" + body);
}

const BuiltinDef kFormat[] = {
    {"FormatNumber", 1, 5, FormatNumber},
    {"FormatCurrency", 1, 5, FormatCurrencyFn},
    {"FormatPercent", 1, 5, FormatPercent},
};

template <int N> Value IntConst() {
    if (N >= -32768 && N <= 32767) return Value::Integer(static_cast<int16_t>(N));
    return Value::Long(N);
}
template <int N> Value LongConst() {
    return Value::Long(N);
}
Value StrConst(std::u16string s) {
    return Value::Str(std::move(s));
}

const BuiltinConstDef kConstants[] = {
    {"vbCr", [] { return StrConst(u"\r"); }},
    {"vbLf", [] { return StrConst(u"\n"); }},
    {"vbCrLf", [] { return StrConst(u"\r\n"); }},
    {"vbNewLine", [] { return StrConst(u"\r\n"); }},
    {"vbNullChar", [] { return StrConst(std::u16string(1, u'\0')); }},
    {"vbNullString", [] { return StrConst(u""); }},
    {"vbTab", [] { return StrConst(u"\t"); }},
    {"vbFormFeed", [] { return StrConst(u"\f"); }},
    {"vbVerticalTab", [] { return StrConst(u"\v"); }},
    {"vbBack", [] { return StrConst(u"\b"); }},
    {"vbBinaryCompare", IntConst<0>},
    {"vbTextCompare", IntConst<1>},
    {"vbDatabaseCompare", IntConst<2>},
    {"vbUseSystemDayOfWeek", IntConst<0>},
    {"vbSunday", IntConst<1>},
    {"vbMonday", IntConst<2>},
    {"vbTuesday", IntConst<3>},
    {"vbWednesday", IntConst<4>},
    {"vbThursday", IntConst<5>},
    {"vbFriday", IntConst<6>},
    {"vbSaturday", IntConst<7>},
    {"vbUseSystem", IntConst<0>},
    {"vbFirstJan1", IntConst<1>},
    {"vbFirstFourDays", IntConst<2>},
    {"vbFirstFullWeek", IntConst<3>},
    {"vbGeneralDate", IntConst<0>},
    {"vbLongDate", IntConst<1>},
    {"vbShortDate", IntConst<2>},
    {"vbLongTime", IntConst<3>},
    {"vbShortTime", IntConst<4>},
    {"vbOKOnly", IntConst<0>},
    {"vbOKCancel", IntConst<1>},
    {"vbAbortRetryIgnore", IntConst<2>},
    {"vbYesNoCancel", IntConst<3>},
    {"vbYesNo", IntConst<4>},
    {"vbRetryCancel", IntConst<5>},
    {"vbCritical", IntConst<16>},
    {"vbQuestion", IntConst<32>},
    {"vbExclamation", IntConst<48>},
    {"vbInformation", IntConst<64>},
    {"vbDefaultButton1", IntConst<0>},
    {"vbDefaultButton2", IntConst<256>},
    {"vbDefaultButton3", IntConst<512>},
    {"vbDefaultButton4", IntConst<768>},
    {"vbApplicationModal", IntConst<0>},
    {"vbSystemModal", IntConst<4096>},
    {"vbMsgBoxHelpButton", LongConst<16384>},
    {"vbMsgBoxSetForeground", LongConst<65536>},
    {"vbMsgBoxRight", LongConst<524288>},
    {"vbMsgBoxRtlReading", LongConst<1048576>},
    {"vbOK", IntConst<1>},
    {"vbCancel", IntConst<2>},
    {"vbAbort", IntConst<3>},
    {"vbRetry", IntConst<4>},
    {"vbIgnore", IntConst<5>},
    {"vbYes", IntConst<6>},
    {"vbNo", IntConst<7>},
    {"vbUseDefault", IntConst<-2>},
    {"vbTrue", IntConst<-1>},
    {"vbFalse", IntConst<0>},
    {"vbEmpty", IntConst<0>},
    {"vbNull", IntConst<1>},
    {"vbInteger", IntConst<2>},
    {"vbLong", IntConst<3>},
    {"vbSingle", IntConst<4>},
    {"vbDouble", IntConst<5>},
    {"vbCurrency", IntConst<6>},
    {"vbDate", IntConst<7>},
    {"vbString", IntConst<8>},
    {"vbObject", IntConst<9>},
    {"vbError", IntConst<10>},
    {"vbBoolean", IntConst<11>},
    {"vbVariant", IntConst<12>},
    {"vbDataObject", IntConst<13>},
    {"vbDecimal", IntConst<14>},
    {"vbByte", IntConst<17>},
    {"vbArray", IntConst<8192>},
    {"vbObjectError", LongConst<-2147221504>},
    {"vbBlack", LongConst<0>},
    {"vbRed", LongConst<255>},
    {"vbGreen", LongConst<65280>},
    {"vbYellow", LongConst<65535>},
    {"vbBlue", LongConst<16711680>},
    {"vbMagenta", LongConst<16711935>},
    {"vbCyan", LongConst<16776960>},
    {"vbWhite", LongConst<16777215>},
};

} // namespace

std::span<const BuiltinDef> FormatFunctions() {
    return kFormat;
}

} // namespace quillora::vbs::builtins

namespace quillora::vbs {

std::span<const BuiltinConstDef> BuiltinConstants() {
    return builtins::kConstants;
}

std::span<const BuiltinDef> BuiltinFunctions() {
    static const std::vector<BuiltinDef> all = [] {
        std::vector<BuiltinDef> v;
        for (auto table :
             {builtins::TextFunctions(), builtins::ByteFunctions(), builtins::MathFunctions(),
              builtins::DateFunctions(), builtins::FormatFunctions(), builtins::HostFunctions()})
            v.insert(v.end(), table.begin(), table.end());
        return v;
    }();
    return all;
}

} // namespace quillora::vbs
