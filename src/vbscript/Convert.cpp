// Variant conversions: encodings, letter case, number and date text, and the language coercions.
#include "vbscript/Convert.h"

#include "core/CivilDate.h"
#include "core/Cp1252.h"
#include "vbscript/Errors.h"
#include "vbscript/Locale.h"
#include "vbscript/Object.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <vector>

namespace quillora::vbs {

std::string ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] < 0xE000) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        }
        AppendUtf8(out, cp);
    }
    return out;
}

std::u16string FromUtf8(std::string_view text) {
    return Value::FromUtf8(text).AsString();
}

std::u16string Ascii(std::string_view text) {
    return std::u16string(text.begin(), text.end());
}

char16_t FoldChar(char16_t c) {
    if (c < 0x80) return (c >= 'A' && c <= 'Z') ? c + 32 : c;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
    if (c >= 0x100 && c <= 0x17F) {
        if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return (c & 1) ? c + 1 : c;
        if (c == 0x178) return 0xFF;
        return (c & 1) ? c : c + 1;
    }
    if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return c + 32;
    if (c >= 0x410 && c <= 0x42F) return c + 32;
    if (c >= 0x400 && c <= 0x40F) return c + 80;
    return c;
}

char16_t UpperChar(char16_t c) {
    if (c < 0x80) return (c >= 'a' && c <= 'z') ? c - 32 : c;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32;
    if (c == 0xFF) return 0x178;
    if (c >= 0x100 && c <= 0x17F) {
        if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return (c & 1) ? c : c - 1;
        return (c & 1) ? c - 1 : c;
    }
    if (c >= 0x3B1 && c <= 0x3CB && c != 0x3C2) return c - 32;
    if (c >= 0x430 && c <= 0x44F) return c - 32;
    if (c >= 0x450 && c <= 0x45F) return c - 80;
    return c;
}

std::u16string LowerText(std::u16string_view text) {
    std::u16string out(text);
    for (auto& c : out)
        c = FoldChar(c);
    return out;
}

std::u16string UpperText(std::u16string_view text) {
    std::u16string out(text);
    for (auto& c : out)
        c = UpperChar(c);
    return out;
}

std::string FoldedUtf8(std::u16string_view text) {
    return ToUtf8(LowerText(text));
}

int CompareText(std::u16string_view a, std::u16string_view b, bool textCompare) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        char16_t x = a[i], y = b[i];
        if (textCompare) {
            x = FoldChar(x);
            y = FoldChar(y);
        }
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

Value Resolve(const Value& value) {
    const Value& v = value.Deref();
    if (v.GetType() != Type::Object) return v;
    Object* object = v.AsObject();
    if (!object) ThrowError(Err::ObjectNotSet);
    ObjectRef keep(object);
    Value result = object->Invoke(kDefaultMember, InvokeKind::Get, {});
    if (result.GetType() == Type::Object) ThrowError(Err::NoSuchMember);
    return result;
}

// ---------------------------------------------------------------------------------------------
// Numbers and text

std::u16string FormatDouble(double x, int significantDigits) {
    if (std::isnan(x)) return u"NaN";
    if (std::isinf(x)) return x > 0 ? u"Infinity" : u"-Infinity";
    if (x == 0) return u"0";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*e", significantDigits - 1, x);
    // buf: [-]d.ddddde[+-]xx
    std::string s(buf);
    const size_t ePos = s.find('e');
    const int exponent = std::atoi(s.c_str() + ePos + 1);
    std::string mantissa = s.substr(0, ePos);
    const bool negative = mantissa[0] == '-';
    if (negative) mantissa.erase(0, 1);
    std::string digits;
    for (char c : mantissa)
        if (c != '.') digits.push_back(c);
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    std::string out = negative ? "-" : "";
    if (exponent >= significantDigits || exponent < -4) {
        out += digits[0];
        if (digits.size() > 1) out += "." + digits.substr(1);
        char e[16];
        std::snprintf(e, sizeof e, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
        out += e;
    } else if (exponent < 0) {
        out += "0." + std::string(static_cast<size_t>(-exponent - 1), '0') + digits;
    } else {
        const size_t intDigits = static_cast<size_t>(exponent) + 1;
        if (digits.size() <= intDigits) {
            out += digits + std::string(intDigits - digits.size(), '0');
        } else {
            out += digits.substr(0, intDigits) + "." + digits.substr(intDigits);
        }
    }
    return Ascii(out);
}

std::u16string FormatCurrency(int64_t scaled) {
    const bool negative = scaled < 0;
    const uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(scaled) : scaled;
    std::string out = std::to_string(magnitude / 10000);
    uint64_t frac = magnitude % 10000;
    if (frac) {
        std::string f = std::to_string(frac);
        f = std::string(4 - f.size(), '0') + f;
        while (f.back() == '0')
            f.pop_back();
        out += "." + f;
    }
    return Ascii(negative ? "-" + out : out);
}

namespace {
bool ParseInvariantNumber(std::u16string_view text, double& result);
} // namespace

bool ParseNumber(std::u16string_view text, double& result) {
    // Text is read with the separators of the script's locale.
    if (CurrentLocale()) return ParseInvariantNumber(DelocalizeNumber(text), result);
    return ParseInvariantNumber(text, result);
}

namespace {
bool ParseInvariantNumber(std::u16string_view text, double& result) {
    size_t i = 0, n = text.size();
    auto isSpace = [](char16_t c) {
        return c == ' ' || c == '\t' || c == 0xA0 || c == '\r' || c == '\n';
    };
    while (i < n && isSpace(text[i]))
        ++i;
    while (n > i && isSpace(text[n - 1]))
        --n;
    if (i >= n) return false;
    if (text[i] == '&' && i + 1 < n) {
        const char16_t kind = FoldChar(text[i + 1]);
        const int base = kind == 'h' ? 16 : kind == 'o' ? 8 : 0;
        if (!base) return false;
        i += 2;
        if (i >= n) return false;
        uint64_t v = 0;
        for (; i < n; ++i) {
            const char16_t c = FoldChar(text[i]);
            int digit = (c >= '0' && c <= '9')   ? c - '0'
                        : (c >= 'a' && c <= 'f') ? c - 'a' + 10
                                                 : 99;
            if (digit >= base) return false;
            v = v * base + digit;
            if (v > 0xFFFFFFFFull) return false;
        }
        // Eight hex digits are a Long bit pattern; shorter values fit as they are.
        result = v > 0x7FFFFFFF ? static_cast<double>(static_cast<int32_t>(v)) : double(v);
        return true;
    }
    std::string ascii;
    bool negative = false;
    if (text[i] == '+' || text[i] == '-') {
        negative = text[i] == '-';
        ++i;
        while (i < n && isSpace(text[i]))
            ++i;
    }
    if (i < n && text[i] == '$') { // the currency symbol of the locale
        ++i;
        while (i < n && isSpace(text[i]))
            ++i;
    }
    bool digits = false, point = false;
    for (; i < n; ++i) {
        const char16_t c = text[i];
        if (c >= '0' && c <= '9') {
            ascii.push_back(static_cast<char>(c));
            digits = true;
        } else if (c == ',' && !point && digits) {
            continue;
        } else if (c == '.' && !point) {
            ascii.push_back('.');
            point = true;
        } else {
            break;
        }
    }
    if (!digits) return false;
    if (i < n && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
        std::string exp = "e";
        size_t j = i + 1;
        if (j < n && (text[j] == '+' || text[j] == '-'))
            exp.push_back(static_cast<char>(text[j++]));
        bool expDigits = false;
        while (j < n && text[j] >= '0' && text[j] <= '9') {
            exp.push_back(static_cast<char>(text[j++]));
            expDigits = true;
        }
        if (!expDigits) return false;
        ascii += exp;
        i = j;
    }
    if (i != n) return false;
    result = std::strtod(ascii.c_str(), nullptr);
    if (std::isinf(result)) return false;
    if (negative) result = -result;
    return true;
}
} // namespace

// ---------------------------------------------------------------------------------------------
// Dates

DateTimeParts SplitDate(double serial) {
    DateTimeParts p;
    double day = std::trunc(serial);
    double frac = std::fabs(serial - day);
    long long seconds = std::llround(frac * 86400.0);
    if (seconds >= 86400) {
        seconds -= 86400;
        day += serial < 0 ? -1 : 1;
    }
    const long long days = static_cast<long long>(day);
    CivilFromDays(days - kSerialDateOf1970, p.year, p.month, p.day);
    p.hour = static_cast<int>(seconds / 3600);
    p.minute = static_cast<int>(seconds / 60 % 60);
    p.second = static_cast<int>(seconds % 60);
    p.weekday = static_cast<int>(((days + 6) % 7 + 7) % 7 + 1);
    return p;
}

bool MakeDate(long long year, long long month, long long day, double& serial) {
    year += (month - 1 >= 0 ? (month - 1) / 12 : (month - 12) / 12);
    month = ((month - 1) % 12 + 12) % 12 + 1;
    if (year < 100 || year > 9999) return false;
    const long long days =
        DaysFromCivil(year, static_cast<unsigned>(month), 1) + kSerialDateOf1970 + (day - 1);
    serial = static_cast<double>(days);
    return IsValidDateSerial(serial);
}

double MakeTime(long long hour, long long minute, long long second) {
    return static_cast<double>(hour * 3600 + minute * 60 + second) / 86400.0;
}

double CombineDateTime(double daySerial, double timeFraction) {
    // Serials below zero keep the time as a positive fraction after the negative day.
    if (daySerial < 0) return daySerial - timeFraction;
    return daySerial + timeFraction;
}

bool IsValidDateSerial(double serial) {
    return serial >= -657434.0 && serial < 2958466.0;
}

std::u16string FormatShortDate(double serial) {
    const DateTimeParts p = SplitDate(serial);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%d/%d/%d", p.month, p.day, p.year);
    return Ascii(buf);
}

std::u16string FormatLongTime(double serial) {
    const DateTimeParts p = SplitDate(serial);
    char buf[32];
    const int h12 = p.hour % 12 == 0 ? 12 : p.hour % 12;
    std::snprintf(buf, sizeof buf, "%d:%02d:%02d %s", h12, p.minute, p.second,
                  p.hour < 12 ? "AM" : "PM");
    return Ascii(buf);
}

std::u16string FormatDateValue(double serial) {
    const double day = std::trunc(serial);
    const bool hasTime = std::fabs(serial - day) * 86400.0 >= 0.5;
    if (const LocaleInfo* locale = CurrentLocale()) {
        if (day == 0) return FormatDatePattern(serial, locale->longTime);
        if (!hasTime) return FormatDatePattern(serial, locale->shortDate);
        return FormatDatePattern(serial, locale->shortDate + u" " + locale->longTime);
    }
    if (day == 0) return FormatLongTime(serial); // the zero date shows as a time of day
    if (!hasTime) return FormatShortDate(serial);
    return FormatShortDate(serial) + u" " + FormatLongTime(serial);
}

namespace {

struct DateToken {
    enum Kind { Number, Word, Colon, Sep } kind = Number;
    static DateToken Of(Kind k) {
        DateToken t;
        t.kind = k;
        return t;
    }
    long long number = 0;
    int digits = 0;
    std::u16string word;
};

int MonthFromWord(const std::u16string& word) {
    static const char* names[] = {"january",   "february", "march",    "april",
                                  "may",       "june",     "july",     "august",
                                  "september", "october",  "november", "december"};
    if (word.size() < 3) return 0;
    const std::string w = ToUtf8(LowerText(word));
    for (int m = 0; m < 12; ++m) {
        const std::string name = names[m];
        if (w.size() <= name.size() && name.compare(0, w.size(), w) == 0) return m + 1;
    }
    if (w == "sept") return 9;
    return 0;
}

} // namespace

bool ParseDate(std::u16string_view text, double& serial) {
    std::vector<DateToken> tokens;
    for (size_t i = 0; i < text.size();) {
        const char16_t c = text[i];
        if (c >= '0' && c <= '9') {
            DateToken t = DateToken::Of(DateToken::Number);
            while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
                if (t.digits < 9) t.number = t.number * 10 + (text[i] - '0');
                ++t.digits;
                ++i;
            }
            tokens.push_back(t);
        } else if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) {
            DateToken t = DateToken::Of(DateToken::Word);
            while (i < text.size() &&
                   ((text[i] >= 'a' && text[i] <= 'z') || (text[i] >= 'A' && text[i] <= 'Z')))
                t.word.push_back(text[i++]);
            tokens.push_back(t);
        } else if (c == ':') {
            tokens.push_back(DateToken::Of(DateToken::Colon));
            ++i;
        } else if (c == '/' || c == '-' || c == ',' || c == '.') {
            tokens.push_back(DateToken::Of(DateToken::Sep));
            ++i;
        } else if (c == ' ' || c == '\t') {
            ++i;
        } else {
            return false;
        }
    }
    std::vector<long long> dateNums;
    std::vector<int> dateDigits;
    int monthName = 0;
    bool haveTime = false;
    long long hour = 0, minute = 0, second = 0;
    int ampm = 0; // 1 AM, 2 PM
    for (size_t i = 0; i < tokens.size(); ++i) {
        const DateToken& t = tokens[i];
        if (t.kind == DateToken::Number) {
            const bool timeStart = i + 1 < tokens.size() && tokens[i + 1].kind == DateToken::Colon;
            const bool hourAmPm = i + 1 < tokens.size() && tokens[i + 1].kind == DateToken::Word &&
                                  (EqualsNoCase(ToUtf8(tokens[i + 1].word), "am") ||
                                   EqualsNoCase(ToUtf8(tokens[i + 1].word), "pm"));
            if ((timeStart || hourAmPm) && !haveTime) {
                haveTime = true;
                hour = t.number;
                if (timeStart) {
                    if (i + 2 >= tokens.size() || tokens[i + 2].kind != DateToken::Number)
                        return false;
                    minute = tokens[i + 2].number;
                    i += 2;
                    if (i + 2 < tokens.size() && tokens[i + 1].kind == DateToken::Colon &&
                        tokens[i + 2].kind == DateToken::Number) {
                        second = tokens[i + 2].number;
                        i += 2;
                        // Fractions of a second are dropped.
                        if (i + 2 < tokens.size() && tokens[i + 1].kind == DateToken::Sep &&
                            tokens[i + 2].kind == DateToken::Number)
                            i += 2;
                    }
                }
                continue;
            }
            dateNums.push_back(t.number);
            dateDigits.push_back(t.digits);
        } else if (t.kind == DateToken::Word) {
            const std::string w = ToUtf8(LowerText(t.word));
            if (w == "am" || w == "a") {
                if (!haveTime) return false;
                ampm = 1;
            } else if (w == "pm" || w == "p") {
                if (!haveTime) return false;
                ampm = 2;
            } else if (int m = MonthFromWord(t.word); m && !monthName) {
                monthName = m;
            } else {
                static const char* days[] = {
                    "sunday", "monday", "tuesday", "wednesday", "thursday", "friday", "saturday",
                    "sun",    "mon",    "tue",     "wed",       "thu",      "fri",    "sat"};
                bool isDay = false;
                for (const char* d : days)
                    isDay |= w == d;
                if (!isDay) return false;
            }
        } else if (t.kind == DateToken::Colon) {
            return false;
        }
    }
    if (ampm) {
        if (hour < 1 || hour > 12) return false;
        if (ampm == 1 && hour == 12) hour = 0;
        if (ampm == 2 && hour != 12) hour += 12;
    }
    if (hour > 23 || minute > 59 || second > 59) return false;
    const double time = MakeTime(hour, minute, second);
    if (dateNums.empty() && !monthName) {
        if (!haveTime) return false;
        serial = time;
        return true;
    }
    long long y = 0, m = 0, d = 0;
    // Numbers are read day first where the locale writes its short dates so (24.12.2023).
    const LocaleInfo* locale = CurrentLocale();
    const bool dayFirst = locale && locale->shortDate.find(u'd') < locale->shortDate.find(u'M');
    auto fixYear = [](long long year, int digits) {
        if (digits <= 2) return year < 30 ? 2000 + year : 1900 + year;
        return year;
    };
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const long long thisYear = local.tm_year + 1900;
    if (monthName) {
        m = monthName;
        if (dateNums.size() == 2) {
            if (dateDigits[0] >= 3 || dateNums[0] > 31) {
                y = fixYear(dateNums[0], dateDigits[0]);
                d = dateNums[1];
            } else {
                d = dateNums[0];
                y = fixYear(dateNums[1], dateDigits[1]);
            }
        } else if (dateNums.size() == 1) {
            if (dateNums[0] > 31 || dateDigits[0] >= 3) {
                y = fixYear(dateNums[0], dateDigits[0]);
                d = 1;
            } else {
                d = dateNums[0];
                y = thisYear;
            }
        } else {
            return false;
        }
    } else if (dateNums.size() == 3) {
        if (dateDigits[0] >= 3 || dateNums[0] > 31) {
            y = dateNums[0];
            m = dateNums[1];
            d = dateNums[2];
        } else {
            m = dateNums[0];
            d = dateNums[1];
            if (dayFirst) std::swap(m, d);
            y = fixYear(dateNums[2], dateDigits[2]);
            if (m > 12 && d <= 12) std::swap(m, d);
        }
    } else if (dateNums.size() == 2) {
        if (dateDigits[1] >= 3 || dateNums[1] > 31) {
            m = dateNums[0];
            d = 1;
            y = fixYear(dateNums[1], dateDigits[1]);
        } else {
            m = dateNums[0];
            d = dateNums[1];
            if (dayFirst) std::swap(m, d);
            y = thisYear;
            if (m > 12 && d <= 12) std::swap(m, d);
        }
    } else {
        return false;
    }
    if (m < 1 || m > 12 || d < 1) return false;
    static const int monthDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (d > monthDays[m - 1]) return false;
    if (m == 2 && d == 29 && !((y % 4 == 0 && y % 100 != 0) || y % 400 == 0)) return false;
    double day = 0;
    if (!MakeDate(y, m, d, day)) return false;
    serial = CombineDateTime(day, time);
    return true;
}

double NowSerial() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    double day = 0;
    MakeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, day);
    return day + MakeTime(local.tm_hour, local.tm_min, local.tm_sec);
}

// ---------------------------------------------------------------------------------------------
// Coercions

double BankersRound(double x) {
    return std::nearbyint(x);
} // default rounding: to even

double ToDouble(const Value& value) {
    const Value& v = value.Deref();
    switch (v.GetType()) {
    case Type::Empty: return 0;
    case Type::Null: ThrowError(Err::InvalidUseOfNull);
    case Type::Boolean: return v.AsBool() ? -1 : 0;
    case Type::Byte:
    case Type::Integer:
    case Type::Long: return static_cast<double>(v.AsInt());
    case Type::Single:
    case Type::Double:
    case Type::Date: return v.AsDouble();
    case Type::Currency: return static_cast<double>(v.AsInt()) / 10000.0;
    case Type::String: {
        double d = 0;
        if (ParseNumber(v.AsString(), d)) return d;
        ThrowTypeMismatch();
    }
    case Type::Object: return ToDouble(Resolve(v));
    default: ThrowTypeMismatch();
    }
}

namespace {
int64_t ToWhole(const Value& value, double low, double high) {
    const Value& v = value.Deref();
    switch (v.GetType()) {
    case Type::Byte:
    case Type::Integer:
    case Type::Long:
        if (v.AsInt() < low || v.AsInt() > high) ThrowError(Err::Overflow);
        return v.AsInt();
    case Type::Boolean: return v.AsBool() ? -1 : 0;
    case Type::Empty: return 0;
    default: break;
    }
    const double d = BankersRound(ToDouble(v));
    if (!(d >= low && d <= high)) ThrowError(Err::Overflow);
    return static_cast<int64_t>(d);
}
} // namespace

int32_t ToLong(const Value& value) {
    return static_cast<int32_t>(ToWhole(value, -2147483648.0, 2147483647.0));
}

int16_t ToInteger(const Value& value) {
    return static_cast<int16_t>(ToWhole(value, -32768, 32767));
}

uint8_t ToByte(const Value& value) {
    return static_cast<uint8_t>(ToWhole(value, 0, 255));
}

namespace {
// Plain decimal text ("-1,234.5678", "$12") converts digit by digit: a Double cannot hold all
// fifteen integer digits and four decimals of the Currency range.
bool ParseCurrencyText(std::u16string_view text, int64_t& scaled) {
    double check = 0;
    if (!ParseNumber(text, check)) return false;
    bool negative = false, point = false, any = false, sticky = false;
    __int128 whole = 0;
    int decimals = 0;
    for (char16_t c : text) {
        if (c == '-') {
            negative = true;
        } else if (c == '.') {
            point = true;
        } else if (c >= '0' && c <= '9') {
            any = true;
            if (point && decimals == 5) { // digits past the fifth decimal only break ties
                sticky = sticky || c != '0';
                continue;
            }
            whole = whole * 10 + (c - '0');
            if (whole > (static_cast<__int128>(1) << 80)) return false;
            if (point) ++decimals;
        } else if (c == 'e' || c == 'E' || c == 'd' || c == 'D' || c == '&') {
            return false; // exponents and radix prefixes go through Double
        }
    }
    if (!any) return false;
    for (; decimals < 5; ++decimals)
        whole *= 10;
    // Halves round to even, as Currency conversions do.
    __int128 q = whole / 10;
    const int last = static_cast<int>(whole % 10);
    if (last > 5 || (last == 5 && (sticky || (q & 1)))) ++q;
    if (negative) q = -q;
    if (q > INT64_MAX || q < INT64_MIN) ThrowError(Err::Overflow);
    scaled = static_cast<int64_t>(q);
    return true;
}
} // namespace

int64_t ToCurrency(const Value& value) {
    const Value& v = value.Deref();
    if (v.GetType() == Type::Currency) return v.AsInt();
    if (v.GetType() == Type::Integer || v.GetType() == Type::Long || v.GetType() == Type::Byte)
        return v.AsInt() * 10000; // whole numbers convert exactly
    int64_t scaled = 0;
    if (v.GetType() == Type::String && ParseCurrencyText(v.AsString(), scaled)) return scaled;
    // Scaling the whole Double by 10,000 would lose the low digits of large values, so the
    // integer part converts exactly and only the fraction is scaled, halves rounding to even.
    const double d = ToDouble(v);
    const double whole = std::trunc(d);
    const double frac = std::nearbyint((d - whole) * 10000.0);
    constexpr double kLimit = 922337203685477.0;
    if (!(std::fabs(whole) <= kLimit)) ThrowError(Err::Overflow);
    const __int128 total = static_cast<__int128>(whole) * 10000 + static_cast<__int128>(frac);
    if (total > INT64_MAX || total < INT64_MIN) ThrowError(Err::Overflow);
    return static_cast<int64_t>(total);
}

float ToSingle(const Value& value) {
    const double d = ToDouble(value);
    if (std::fabs(d) > 3.402823466e38) ThrowError(Err::Overflow);
    return static_cast<float>(d);
}

bool ToBool(const Value& value) {
    const Value& v = value.Deref();
    switch (v.GetType()) {
    case Type::Empty: return false;
    case Type::Boolean: return v.AsBool();
    case Type::String: {
        const std::u16string& s = v.AsString();
        if (CompareText(s, u"true", true) == 0) return true;
        if (CompareText(s, u"false", true) == 0) return false;
        double d = 0;
        if (ParseNumber(s, d)) return d != 0;
        ThrowTypeMismatch();
    }
    case Type::Object: return ToBool(Resolve(v));
    default: return ToDouble(v) != 0;
    }
}

double ToDate(const Value& value) {
    const Value& v = value.Deref();
    if (v.GetType() == Type::Date) return v.AsDouble();
    if (v.GetType() == Type::String) {
        double serial = 0;
        if (ParseDate(v.AsString(), serial)) return serial;
        if (ParseNumber(v.AsString(), serial) && IsValidDateSerial(serial)) return serial;
        ThrowTypeMismatch();
    }
    const double d = ToDouble(v);
    if (!IsValidDateSerial(d)) ThrowError(Err::Overflow);
    return d;
}

std::u16string ToString(const Value& value) {
    const Value& v = value.Deref();
    switch (v.GetType()) {
    case Type::Empty: return {};
    case Type::Null: ThrowError(Err::InvalidUseOfNull);
    case Type::Boolean: return v.AsBool() ? u"True" : u"False";
    case Type::Byte:
    case Type::Integer:
    case Type::Long: return Ascii(std::to_string(v.AsInt()));
    case Type::Single: return LocalizeNumber(FormatDouble(v.AsDouble(), 7));
    case Type::Double: return LocalizeNumber(FormatDouble(v.AsDouble(), 15));
    case Type::Currency: return LocalizeNumber(FormatCurrency(v.AsInt()));
    case Type::Date: return FormatDateValue(v.AsDouble());
    case Type::String: return v.AsString();
    case Type::Object: return ToString(Resolve(v));
    case Type::Error: return Ascii("Error " + std::to_string(v.AsInt() & 0xFFFF));
    default: ThrowTypeMismatch();
    }
}

std::u16string ToDisplayString(const Value& value) {
    const Value& v = value.Deref();
    if (v.IsNull()) return {};
    return ToString(v);
}

bool IsNumericValue(const Value& value) {
    const Value& v = value.Deref();
    switch (v.GetType()) {
    case Type::Empty:
    case Type::Boolean:
    case Type::Byte:
    case Type::Integer:
    case Type::Long:
    case Type::Single:
    case Type::Double:
    case Type::Currency: return true;
    case Type::String: {
        double d = 0;
        return ParseNumber(v.AsString(), d);
    }
    default: return false;
    }
}

int VarTypeCode(const Value& value) {
    const Value& v = value.Deref();
    switch (v.GetType()) {
    case Type::Empty: return 0;
    case Type::Null: return 1;
    case Type::Integer: return 2;
    case Type::Long: return 3;
    case Type::Single: return 4;
    case Type::Double: return 5;
    case Type::Currency: return 6;
    case Type::Date: return 7;
    case Type::String: return 8;
    case Type::Object: return 9;
    case Type::Error: return 10;
    case Type::Boolean: return 11;
    case Type::Byte: return 17;
    case Type::Array: return 8204; // arrays of Variants
    default: return 0;
    }
}

std::u16string TypeNameOf(const Value& value) {
    const Value& v = value.Deref();
    switch (v.GetType()) {
    case Type::Empty: return u"Empty";
    case Type::Null: return u"Null";
    case Type::Boolean: return u"Boolean";
    case Type::Byte: return u"Byte";
    case Type::Integer: return u"Integer";
    case Type::Long: return u"Long";
    case Type::Single: return u"Single";
    case Type::Double: return u"Double";
    case Type::Currency: return u"Currency";
    case Type::Date: return u"Date";
    case Type::String: return u"String";
    case Type::Object: return v.AsObject() ? v.AsObject()->TypeName() : u"Nothing";
    case Type::Error: return u"Error";
    case Type::Array: return u"Variant()";
    default: return u"Unknown";
    }
}

} // namespace quillora::vbs
