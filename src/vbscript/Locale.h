// The script's locale (SetLocale/GetLocale): separators, currency, date patterns and names.
//
// 1033 (English, United States) is the default and keeps the engine's own formatting; any
// other locale's conventions come from ICU's locale data. The current locale belongs to the
// thread that runs a script: the engine installs its own while it runs.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quillora::vbs {

struct LocaleInfo {
    int32_t lcid = 1033;
    std::string icuName;
    char16_t decimal = '.';
    char16_t group = ',';
    std::u16string currencySymbol = u"$";
    bool currencyFirst = true;  // "$1.00" rather than "1,00 €"
    bool currencySpace = false; // a space between the amount and the symbol
    // ICU date patterns: short date (CStr of a date), long date, long time, short time.
    std::u16string shortDate, longDate, longTime, shortTime;
    std::u16string months[12], shortMonths[12], days[7], shortDays[7]; // days from Sunday
};

// The locale with this id, or null when there is none; loaded once and kept.
const LocaleInfo* FindLocale(int32_t lcid);
// A locale named as "de-de", "de_DE" or "de"; null when unknown.
const LocaleInfo* FindLocaleByName(std::string_view name);

// The locale of the running script; null means the default (1033).
const LocaleInfo* CurrentLocale();
void SetCurrentLocale(const LocaleInfo* locale);
inline int32_t CurrentLcid() {
    const LocaleInfo* l = CurrentLocale();
    return l ? l->lcid : 1033;
}

// Writes an OLE date serial with an ICU pattern in the current locale.
std::u16string FormatDatePattern(double serial, const std::u16string& pattern);
// The current locale's form of a number written with '.' and ',' (decimal and grouping).
std::u16string LocalizeNumber(std::u16string text);
// A number typed in the current locale, rewritten with '.' and ',' for ParseNumber.
std::u16string DelocalizeNumber(std::u16string_view text);

} // namespace quillora::vbs
