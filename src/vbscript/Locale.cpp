// Locale conventions for SetLocale, read from ICU's locale data and kept once loaded.
#include "vbscript/Locale.h"

#include "vbscript/Convert.h"

#include <unicode/datefmt.h>
#include <unicode/dcfmtsym.h>
#include <unicode/decimfmt.h>
#include <unicode/dtfmtsym.h>
#include <unicode/gregocal.h>
#include <unicode/locid.h>
#include <unicode/smpdtfmt.h>
#include <unicode/uloc.h>

#include <map>
#include <memory>
#include <mutex>

namespace quillora::vbs {

namespace {

thread_local const LocaleInfo* currentLocale = nullptr;

std::u16string FromIcu(const icu::UnicodeString& s) {
    return std::u16string(reinterpret_cast<const char16_t*>(s.getBuffer()),
                          static_cast<size_t>(s.length()));
}

// The script host writes plain spaces where ICU puts no-break ones (before AM, in "1 €").
std::u16string PlainSpaces(std::u16string s) {
    for (char16_t& c : s)
        if (c == 0x00A0 || c == 0x202F) c = u' ';
    return s;
}

// Years are written in full, as the script host's short and long dates do.
std::u16string FullYears(const std::u16string& pattern) {
    std::u16string out;
    bool quoted = false;
    for (size_t i = 0; i < pattern.size(); ++i) {
        const char16_t c = pattern[i];
        if (c == '\'') quoted = !quoted;
        if (quoted || c != 'y') {
            out.push_back(c);
            continue;
        }
        while (i + 1 < pattern.size() && pattern[i + 1] == 'y')
            ++i;
        out += u"yyyy";
    }
    return out;
}

std::u16string Pattern(icu::DateFormat* format) {
    icu::UnicodeString pattern;
    if (auto* simple = dynamic_cast<icu::SimpleDateFormat*>(format)) simple->toPattern(pattern);
    return PlainSpaces(FromIcu(pattern));
}

std::unique_ptr<LocaleInfo> Load(int32_t lcid, const std::string& name) {
    const icu::Locale locale(name.c_str());
    if (locale.isBogus()) return nullptr;
    UErrorCode status = U_ZERO_ERROR;
    auto info = std::make_unique<LocaleInfo>();
    info->lcid = lcid;
    info->icuName = name;

    const icu::DecimalFormatSymbols symbols(locale, status);
    if (U_FAILURE(status)) return nullptr;
    auto symbol = [&](icu::DecimalFormatSymbols::ENumberFormatSymbol which) {
        return FromIcu(symbols.getSymbol(which));
    };
    const std::u16string decimal = symbol(icu::DecimalFormatSymbols::kDecimalSeparatorSymbol);
    const std::u16string group = symbol(icu::DecimalFormatSymbols::kGroupingSeparatorSymbol);
    if (decimal.size() == 1) info->decimal = decimal[0];
    if (group.size() == 1) info->group = group[0];
    info->currencySymbol = symbol(icu::DecimalFormatSymbols::kCurrencySymbol);

    std::unique_ptr<icu::NumberFormat> money(
        icu::NumberFormat::createCurrencyInstance(locale, status));
    if (U_SUCCESS(status)) {
        icu::UnicodeString pattern;
        if (auto* decimalFormat = dynamic_cast<icu::DecimalFormat*>(money.get()))
            decimalFormat->toPattern(pattern);
        const std::u16string p = FromIcu(pattern);
        const size_t sign = p.find(u'\u00A4');
        const size_t digit = p.find_first_of(u"#0");
        if (sign != std::u16string::npos && digit != std::u16string::npos) {
            info->currencyFirst = sign < digit;
            const size_t next = info->currencyFirst ? sign + 1 : sign - 1;
            info->currencySpace =
                next < p.size() && (p[next] == ' ' || p[next] == 0x00A0 || p[next] == 0x202F);
        }
    }
    status = U_ZERO_ERROR;

    using DF = icu::DateFormat;
    std::unique_ptr<DF> shortDate(DF::createDateInstance(DF::kShort, locale));
    std::unique_ptr<DF> longDate(DF::createDateInstance(DF::kFull, locale));
    std::unique_ptr<DF> longTime(DF::createTimeInstance(DF::kMedium, locale));
    std::unique_ptr<DF> shortTime(DF::createTimeInstance(DF::kShort, locale));
    if (!shortDate || !longDate || !longTime || !shortTime) return nullptr;
    info->shortDate = FullYears(Pattern(shortDate.get()));
    info->longDate = FullYears(Pattern(longDate.get()));
    info->longTime = Pattern(longTime.get());
    info->shortTime = Pattern(shortTime.get());

    const icu::DateFormatSymbols names(locale, status);
    if (U_FAILURE(status)) return nullptr;
    using DS = icu::DateFormatSymbols;
    int32_t count = 0;
    const icu::UnicodeString* months = names.getMonths(count, DS::STANDALONE, DS::WIDE);
    for (int i = 0; i < 12 && i < count; ++i)
        info->months[i] = FromIcu(months[i]);
    months = names.getMonths(count, DS::STANDALONE, DS::ABBREVIATED);
    for (int i = 0; i < 12 && i < count; ++i)
        info->shortMonths[i] = FromIcu(months[i]);
    // ICU counts weekdays from 1 (Sunday); entry 0 is unused.
    const icu::UnicodeString* days = names.getWeekdays(count, DS::STANDALONE, DS::WIDE);
    for (int i = 0; i < 7 && i + 1 < count; ++i)
        info->days[i] = FromIcu(days[i + 1]);
    days = names.getWeekdays(count, DS::STANDALONE, DS::ABBREVIATED);
    for (int i = 0; i < 7 && i + 1 < count; ++i)
        info->shortDays[i] = FromIcu(days[i + 1]);
    return info;
}

std::mutex cacheMutex;
std::map<int32_t, std::unique_ptr<LocaleInfo>>& Cache() {
    static std::map<int32_t, std::unique_ptr<LocaleInfo>> cache;
    return cache;
}

} // namespace

const LocaleInfo* FindLocale(int32_t lcid) {
    if (lcid <= 0 || lcid > 0xFFFFF) return nullptr;
    std::lock_guard lock(cacheMutex);
    auto& cache = Cache();
    if (auto it = cache.find(lcid); it != cache.end()) return it->second.get();
    char name[ULOC_FULLNAME_CAPACITY] = {};
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length = uloc_getLocaleForLCID(static_cast<uint32_t>(lcid), name,
                                                 static_cast<int32_t>(sizeof name), &status);
    // An id ICU maps back to another one names no locale of its own.
    if (U_FAILURE(status) || length <= 0 || uloc_getLCID(name) != static_cast<uint32_t>(lcid))
        return nullptr;
    std::unique_ptr<LocaleInfo> info = Load(lcid, name);
    const LocaleInfo* result = info.get();
    if (info) cache.emplace(lcid, std::move(info));
    return result;
}

const LocaleInfo* FindLocaleByName(std::string_view name) {
    if (name.empty() || name.size() > 40) return nullptr;
    std::string tag(name);
    for (char& c : tag)
        if (c == '_') c = '-';
    char icuName[ULOC_FULLNAME_CAPACITY] = {};
    UErrorCode status = U_ZERO_ERROR;
    uloc_forLanguageTag(tag.c_str(), icuName, static_cast<int32_t>(sizeof icuName), nullptr,
                        &status);
    if (U_FAILURE(status) || !icuName[0]) return nullptr;
    // A bare language ("de") stands for its main country, as its id does.
    char full[ULOC_FULLNAME_CAPACITY] = {};
    uloc_addLikelySubtags(icuName, full, static_cast<int32_t>(sizeof full), &status);
    if (U_FAILURE(status)) return nullptr;
    char minimal[ULOC_FULLNAME_CAPACITY] = {};
    uloc_getLanguage(full, minimal, static_cast<int32_t>(sizeof minimal), &status);
    char country[ULOC_COUNTRY_CAPACITY] = {};
    uloc_getCountry(full, country, static_cast<int32_t>(sizeof country), &status);
    if (U_FAILURE(status)) return nullptr;
    const std::string languageCountry = std::string(minimal) + "_" + country;
    const uint32_t lcid = uloc_getLCID(languageCountry.c_str());
    return lcid ? FindLocale(static_cast<int32_t>(lcid)) : nullptr;
}

const LocaleInfo* CurrentLocale() {
    return currentLocale;
}

void SetCurrentLocale(const LocaleInfo* locale) {
    currentLocale = locale;
}

std::u16string FormatDatePattern(double serial, const std::u16string& pattern) {
    const LocaleInfo* info = CurrentLocale();
    const icu::Locale locale(info ? info->icuName.c_str() : "en_US");
    const DateTimeParts p = SplitDate(serial);
    UErrorCode status = U_ZERO_ERROR;
    icu::GregorianCalendar calendar(*icu::TimeZone::getGMT(), locale, status);
    // Dates are proleptic Gregorian back to the year 100, as OLE dates are.
    calendar.setGregorianChange(-1e17, status);
    calendar.clear();
    calendar.set(p.year, p.month - 1, p.day, p.hour, p.minute, p.second);
    icu::SimpleDateFormat format(
        icu::UnicodeString(pattern.data(), static_cast<int32_t>(pattern.size())), locale, status);
    if (U_FAILURE(status)) return FormatDateValue(serial);
    icu::UnicodeString out;
    icu::FieldPosition position;
    format.format(calendar, out, position);
    return PlainSpaces(FromIcu(out));
}

std::u16string LocalizeNumber(std::u16string text) {
    const LocaleInfo* info = CurrentLocale();
    if (!info) return text;
    for (char16_t& c : text) {
        if (c == '.')
            c = info->decimal;
        else if (c == ',')
            c = info->group;
    }
    return text;
}

std::u16string DelocalizeNumber(std::u16string_view text) {
    const LocaleInfo* info = CurrentLocale();
    std::u16string out(text);
    if (!info) return out;
    for (char16_t& c : out) {
        if (c == info->decimal)
            c = '.';
        else if (c == info->group || (info->group == 0x00A0 && c == ' ') ||
                 (info->group == 0x202F && (c == ' ' || c == 0x00A0)))
            c = ',';
        else if (c == '.' || c == ',')
            c = 0; // the other separator has no meaning in this locale
    }
    return out;
}

} // namespace quillora::vbs
