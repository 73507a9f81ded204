// A value of a value-list file as a Variant slot holds it: empty, null, Boolean, number, text,
// date.
#pragma once

#include <cstdint>
#include <string>
#include <variant>

namespace quillora {

struct ListNull {
    bool operator==(const ListNull&) const = default;
};

// A date as the days since 30 December 1899, the fraction being the time of day.
struct ListDate {
    double serial = 0;
    bool operator==(const ListDate&) const = default;
};

// Empty, Null, Boolean, Integer/Long, Double, String (UTF-8), Date.
using ListValue =
    std::variant<std::monostate, ListNull, bool, int32_t, double, std::string, ListDate>;

// Days since 30 December 1899 of a civil date (proleptic Gregorian).
double OleDateFromParts(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);

struct DateParts {
    int year = 1899, month = 12, day = 30, hour = 0, minute = 0, second = 0;
};
// The civil date and time of a serial date, rounded to the second.
DateParts OleDateToParts(double serial);

// Parses "yyyy-mm-dd", "hh:mm:ss" or both separated by a space (the forms written between #);
// also "m/d/yyyy". Returns false when the text is not such a date.
bool ParseListDate(const std::string& text, ListDate& result);

// "yyyy-mm-dd hh:mm:ss", the date or the time alone when the other part is zero.
std::string FormatListDate(ListDate date);

} // namespace quillora
