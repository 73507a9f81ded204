// Built-in date and time functions: Now, DateSerial, DateAdd, DateDiff, DatePart, FormatDateTime...
#include "vbscript/Builtins.h"
#include "vbscript/Locale.h"

#include "core/Clock.h"

#include <cmath>

namespace quillora::vbs::builtins {

namespace {

const char* kMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                         "July",    "August",   "September", "October", "November", "December"};
const char* kDays[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                       "Thursday", "Friday", "Saturday"};

// The date argument i: Null gives nothing (the caller returns Null).
bool DateArg(Args a, size_t i, double& serial) {
    const Value v = Plain(a, i);
    if (v.IsNull()) return false;
    serial = ToDate(v);
    return true;
}

// Serial dates store negatives as "day minus time"; this is the plain time line.
double Linear(double serial) {
    if (serial >= 0) return serial;
    const double day = std::trunc(serial);
    return day + (day - serial);
}
double FromLinear(double t) {
    const double day = std::floor(t);
    return CombineDateTime(day, t - day);
}

Value DateValueOf(double serial) {
    if (!IsValidDateSerial(serial)) ThrowError(Err::InvalidCall);
    return Value::Date(serial);
}

Value Now(Engine&, Args) {
    return Value::Date(NowSerial());
}
Value DateFn(Engine&, Args) {
    return Value::Date(std::trunc(NowSerial()));
}
Value Time(Engine&, Args) {
    const double n = NowSerial();
    return Value::Date(n - std::trunc(n));
}
Value Timer(Engine&, Args) {
    return Value::Single(static_cast<float>(quillora::TheClock().SecondsSinceMidnight()));
}

Value DateSerial(Engine&, Args a) {
    for (size_t i = 0; i < 3; ++i)
        if (Arg(a, i).IsNull()) ThrowError(Err::InvalidUseOfNull);
    long long year = ToInteger(a[0]);
    const long long month = ToInteger(a[1]);
    const long long day = ToInteger(a[2]);
    if (year >= 0 && year < 30)
        year += 2000;
    else if (year >= 30 && year < 100)
        year += 1900;
    double serial = 0;
    if (!MakeDate(year, month, day, serial)) ThrowError(Err::InvalidCall);
    return Value::Date(serial);
}

Value TimeSerial(Engine&, Args a) {
    for (size_t i = 0; i < 3; ++i)
        if (Arg(a, i).IsNull()) ThrowError(Err::InvalidUseOfNull);
    const long long seconds = static_cast<long long>(ToInteger(a[0])) * 3600 +
                              static_cast<long long>(ToInteger(a[1])) * 60 + ToInteger(a[2]);
    return DateValueOf(FromLinear(static_cast<double>(seconds) / 86400.0));
}

Value DateValue(Engine&, Args a) {
    double s = 0;
    if (!DateArg(a, 0, s)) return Value::Null();
    return Value::Date(std::trunc(s));
}

Value TimeValue(Engine&, Args a) {
    double s = 0;
    if (!DateArg(a, 0, s)) return Value::Null();
    return Value::Date(std::fabs(s - std::trunc(s)));
}

template <int DateTimeParts::*Field> Value Part(Engine&, Args a) {
    double s = 0;
    if (!DateArg(a, 0, s)) return Value::Null();
    return Value::Integer(static_cast<int16_t>(SplitDate(s).*Field));
}

int FirstDay(Args a, size_t i) {
    const int32_t f = LongOr(a, i, 1);
    if (f < 0 || f > 7) ThrowError(Err::InvalidCall);
    return f == 0 ? 1 : f; // 0 = system setting: Sunday
}

// Weekday counted from `firstDay` (1 = Sunday).
int WeekdayFrom(int weekday, int firstDay) {
    return (weekday - firstDay + 7) % 7 + 1;
}

Value Weekday(Engine&, Args a) {
    double s = 0;
    const int first = FirstDay(a, 1);
    if (!DateArg(a, 0, s)) return Value::Null();
    return Value::Integer(static_cast<int16_t>(WeekdayFrom(SplitDate(s).weekday, first)));
}

Value MonthName(Engine&, Args a) {
    const int32_t m = ToLong(Plain(a, 0));
    if (m < 1 || m > 12) ThrowError(Err::InvalidCall);
    const bool abbreviate = Has(a, 1) && ToBool(a[1]);
    if (const LocaleInfo* locale = CurrentLocale())
        return Value::Str(abbreviate ? locale->shortMonths[m - 1] : locale->months[m - 1]);
    std::u16string name = Ascii(kMonths[m - 1]);
    if (abbreviate) name = name.substr(0, 3);
    return Value::Str(std::move(name));
}

Value WeekdayName(Engine&, Args a) {
    const int32_t w = ToLong(Plain(a, 0));
    const int first = FirstDay(a, 2);
    if (w < 1 || w > 7) ThrowError(Err::InvalidCall);
    const bool abbreviate = Has(a, 1) && ToBool(a[1]);
    const int day = (w - 1 + first - 1) % 7;
    if (const LocaleInfo* locale = CurrentLocale())
        return Value::Str(abbreviate ? locale->shortDays[day] : locale->days[day]);
    std::u16string name = Ascii(kDays[day]);
    if (abbreviate) name = name.substr(0, 3);
    return Value::Str(std::move(name));
}

int DayOfYear(const DateTimeParts& p) {
    double jan1 = 0, day = 0;
    MakeDate(p.year, 1, 1, jan1);
    MakeDate(p.year, p.month, p.day, day);
    return static_cast<int>(day - jan1) + 1;
}

// Week of the year: the week holding 1 January is week 1 (the default rule).
int WeekOfYear(double serial, int firstDay, int rule) {
    const DateTimeParts p = SplitDate(serial);
    double jan1 = 0;
    MakeDate(p.year, 1, 1, jan1);
    const int jan1Weekday = WeekdayFrom(SplitDate(jan1).weekday, firstDay); // 1..7
    const int doy = DayOfYear(p);
    int week = (doy + jan1Weekday - 2) / 7 + 1;
    if (rule == 2 && jan1Weekday > 4)
        --week; // first week with four days
    else if (rule == 3 && jan1Weekday > 1)
        --week; // first full week
    if (week < 1) {
        double dec31 = 0;
        MakeDate(p.year - 1, 12, 31, dec31);
        return WeekOfYear(dec31, firstDay, rule);
    }
    return week;
}

std::string Interval(Args a) {
    const std::u16string s = Text(a, 0);
    return ToUtf8(LowerText(s));
}

double AddMonths(double serial, long long months) {
    const DateTimeParts p = SplitDate(serial);
    long long y = p.year + (p.month - 1 + months) / 12;
    long long m = (p.month - 1 + months) % 12;
    if (m < 0) {
        m += 12;
        --y;
    }
    static const int monthDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int limit = monthDays[m];
    if (m == 1 && ((y % 4 == 0 && y % 100 != 0) || y % 400 == 0)) limit = 29;
    double day = 0;
    if (!MakeDate(y, m + 1, std::min(p.day, limit), day)) ThrowError(Err::InvalidCall);
    const double time = std::fabs(serial - std::trunc(serial));
    return CombineDateTime(day, time);
}

Value DateAdd(Engine&, Args a) {
    const std::string interval = Interval(a);
    const Value nv = Plain(a, 1);
    if (nv.IsNull()) ThrowError(Err::InvalidUseOfNull);
    // A fractional count rounds to the nearest whole number, as a Long conversion does.
    const double number = BankersRound(ToDouble(nv));
    double s = 0;
    if (!DateArg(a, 2, s)) return Value::Null();
    double result;
    if (interval == "yyyy")
        result = AddMonths(s, static_cast<long long>(number) * 12);
    else if (interval == "q")
        result = AddMonths(s, static_cast<long long>(number) * 3);
    else if (interval == "m")
        result = AddMonths(s, static_cast<long long>(number));
    else if (interval == "y" || interval == "d" || interval == "w")
        result = FromLinear(Linear(s) + number);
    else if (interval == "ww")
        result = FromLinear(Linear(s) + number * 7);
    else if (interval == "h")
        result = FromLinear(Linear(s) + number / 24.0);
    else if (interval == "n")
        result = FromLinear(Linear(s) + number / 1440.0);
    else if (interval == "s")
        result = FromLinear(Linear(s) + number / 86400.0);
    else
        ThrowError(Err::InvalidCall);
    return DateValueOf(result);
}

Value DateDiff(Engine&, Args a) {
    const std::string interval = Interval(a);
    double s1 = 0, s2 = 0;
    const int first = FirstDay(a, 3);
    const bool ok1 = DateArg(a, 1, s1), ok2 = DateArg(a, 2, s2);
    if (!ok1 || !ok2) return Value::Null();
    const DateTimeParts p1 = SplitDate(s1), p2 = SplitDate(s2);
    const double l1 = Linear(s1), l2 = Linear(s2);
    long long r;
    auto units = [&](double perDay) {
        return static_cast<long long>(std::floor(l2 * perDay + 1e-7)) -
               static_cast<long long>(std::floor(l1 * perDay + 1e-7));
    };
    if (interval == "yyyy")
        r = p2.year - p1.year;
    else if (interval == "q")
        r = (p2.year * 4 + (p2.month - 1) / 3) - (p1.year * 4 + (p1.month - 1) / 3);
    else if (interval == "m")
        r = (p2.year * 12LL + p2.month) - (p1.year * 12LL + p1.month);
    else if (interval == "y" || interval == "d")
        r = units(1);
    else if (interval == "w")
        r = units(1) / 7;
    else if (interval == "ww") {
        // Count the first days of the week between the two dates.
        auto weekStart = [&](double l) {
            const double day = std::floor(l);
            const int wd = WeekdayFrom(SplitDate(day).weekday, first);
            return day - (wd - 1);
        };
        r = static_cast<long long>((weekStart(l2) - weekStart(l1)) / 7);
    } else if (interval == "h")
        r = units(24);
    else if (interval == "n")
        r = units(1440);
    else if (interval == "s")
        r = static_cast<long long>(std::llround(l2 * 86400.0)) -
            static_cast<long long>(std::llround(l1 * 86400.0));
    else
        ThrowError(Err::InvalidCall);
    if (r > INT32_MAX || r < INT32_MIN) ThrowError(Err::Overflow);
    return Value::Long(static_cast<int32_t>(r));
}

Value DatePart(Engine&, Args a) {
    const std::string interval = Interval(a);
    const int first = FirstDay(a, 2);
    const int32_t rule = LongOr(a, 3, 1);
    double s = 0;
    if (!DateArg(a, 1, s)) return Value::Null();
    const DateTimeParts p = SplitDate(s);
    int r;
    if (interval == "yyyy")
        r = p.year;
    else if (interval == "q")
        r = (p.month - 1) / 3 + 1;
    else if (interval == "m")
        r = p.month;
    else if (interval == "y")
        r = DayOfYear(p);
    else if (interval == "d")
        r = p.day;
    else if (interval == "w")
        r = WeekdayFrom(p.weekday, first);
    else if (interval == "ww")
        r = WeekOfYear(s, first, rule == 0 ? 1 : rule);
    else if (interval == "h")
        r = p.hour;
    else if (interval == "n")
        r = p.minute;
    else if (interval == "s")
        r = p.second;
    else
        ThrowError(Err::InvalidCall);
    return Value::Integer(static_cast<int16_t>(r));
}

Value FormatDateTime(Engine&, Args a) {
    const Value v = Plain(a, 0);
    const int32_t format = LongOr(a, 1, 0);
    if (v.IsNull()) ThrowError(Err::TypeMismatch);
    const double s = ToDate(v);
    const LocaleInfo* locale = CurrentLocale();
    if (locale && format >= 1 && format <= 3) {
        const std::u16string& pattern = format == 1   ? locale->longDate
                                        : format == 2 ? locale->shortDate
                                                      : locale->longTime;
        return Value::Str(FormatDatePattern(s, pattern));
    }
    switch (format) {
    case 0: return Value::Str(FormatDateValue(s));
    case 1: {
        const DateTimeParts p = SplitDate(s);
        return Value::Str(Ascii(std::string(kDays[p.weekday - 1]) + ", " + kMonths[p.month - 1] +
                                " " + std::to_string(p.day) + ", " + std::to_string(p.year)));
    }
    case 2: return Value::Str(FormatShortDate(s));
    case 3: return Value::Str(FormatLongTime(s));
    case 4: {
        const DateTimeParts p = SplitDate(s);
        char buf[16];
        std::snprintf(buf, sizeof buf, "%02d:%02d", p.hour, p.minute);
        return Value::Str(Ascii(buf));
    }
    default: ThrowError(Err::InvalidCall);
    }
}

const BuiltinDef kDate[] = {
    {"Now", 0, 0, Now},
    {"Date", 0, 0, DateFn},
    {"Time", 0, 0, Time},
    {"Timer", 0, 0, Timer},
    {"DateSerial", 3, 3, DateSerial},
    {"TimeSerial", 3, 3, TimeSerial},
    {"DateValue", 1, 1, DateValue},
    {"TimeValue", 1, 1, TimeValue},
    {"Year", 1, 1, Part<&DateTimeParts::year>},
    {"Month", 1, 1, Part<&DateTimeParts::month>},
    {"Day", 1, 1, Part<&DateTimeParts::day>},
    {"Hour", 1, 1, Part<&DateTimeParts::hour>},
    {"Minute", 1, 1, Part<&DateTimeParts::minute>},
    {"Second", 1, 1, Part<&DateTimeParts::second>},
    {"Weekday", 1, 2, Weekday},
    {"MonthName", 1, 2, MonthName},
    {"WeekdayName", 1, 3, WeekdayName},
    {"DateAdd", 3, 3, DateAdd},
    {"DateDiff", 3, 5, DateDiff},
    {"DatePart", 2, 4, DatePart},
    {"FormatDateTime", 1, 2, FormatDateTime},
};

} // namespace

std::span<const BuiltinDef> DateFunctions() {
    return kDate;
}

} // namespace quillora::vbs::builtins
