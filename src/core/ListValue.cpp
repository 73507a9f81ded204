// Serial dates of value-list files: conversion to and from civil dates, parsing and formatting.
#include "core/ListValue.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace quillora {
namespace {

// Days from 1970-01-01 to a civil date (Howard Hinnant's algorithm).
long DaysFromCivil(long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long>(doe) - 719468;
}

void CivilFromDays(long z, int& year, int& month, int& day) {
    z += 719468;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long y = static_cast<long>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(y + (month <= 2));
}

constexpr long kEpochOffset = 25569; // 1970-01-01 as a serial date

} // namespace

double OleDateFromParts(int year, int month, int day, int hour, int minute, int second) {
    const double days = static_cast<double>(DaysFromCivil(year, month, day) + kEpochOffset);
    const double time = (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
    // Serial dates before 1899-12-30 keep the time as a positive fraction after the minus sign.
    return days >= 0 ? days + time : days - time;
}

DateParts OleDateToParts(double serial) {
    DateParts parts;
    double whole = std::trunc(serial);
    double fraction = std::fabs(serial - whole);
    long seconds = std::lround(fraction * 86400.0);
    if (seconds >= 86400) {
        seconds -= 86400;
        whole += serial >= 0 ? 1 : -1;
    }
    CivilFromDays(static_cast<long>(whole) - kEpochOffset, parts.year, parts.month, parts.day);
    parts.hour = static_cast<int>(seconds / 3600);
    parts.minute = static_cast<int>(seconds / 60 % 60);
    parts.second = static_cast<int>(seconds % 60);
    return parts;
}

bool ParseListDate(const std::string& text, ListDate& result) {
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
    int used = 0;
    bool haveDate = false;
    bool haveTime = false;
    const char* rest = text.c_str();
    if (std::sscanf(rest, "%d-%d-%d%n", &y, &mo, &d, &used) == 3 ||
        (std::sscanf(rest, "%d/%d/%d%n", &mo, &d, &y, &used) == 3)) {
        haveDate = true;
        rest += used;
        while (*rest == ' ')
            ++rest;
    }
    used = 0;
    if (*rest != '\0') {
        if (std::sscanf(rest, "%d:%d:%d%n", &h, &mi, &s, &used) == 3 ||
            std::sscanf(rest, "%d:%d%n", &h, &mi, &used) == 2) {
            haveTime = true;
            rest += used;
        }
    }
    if ((!haveDate && !haveTime) || *rest != '\0') return false;
    if (haveDate && (mo < 1 || mo > 12 || d < 1 || d > 31 || y < 100 || y > 9999)) return false;
    if (h < 0 || h > 23 || mi < 0 || mi > 59 || s < 0 || s > 59) return false;
    result.serial =
        haveDate ? OleDateFromParts(y, mo, d, h, mi, s) : (h * 3600.0 + mi * 60.0 + s) / 86400.0;
    return true;
}

std::string FormatListDate(ListDate date) {
    const DateParts p = OleDateToParts(date.serial);
    const bool hasDate = std::trunc(date.serial) != 0;
    const bool hasTime = p.hour != 0 || p.minute != 0 || p.second != 0;
    char buffer[64];
    if (hasDate && hasTime) {
        std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", p.year, p.month,
                      p.day, p.hour, p.minute, p.second);
    } else if (hasTime) {
        std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d", p.hour, p.minute, p.second);
    } else {
        std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", p.year, p.month, p.day);
    }
    return buffer;
}

} // namespace quillora
