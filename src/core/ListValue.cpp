// Serial dates of value-list files: conversion to and from civil dates, parsing and formatting.
#include "core/ListValue.h"

#include "core/CivilDate.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace quillora {
double OleDateFromParts(int year, int month, int day, int hour, int minute, int second) {
    const double days = static_cast<double>(DaysFromCivil(year, month, day) + kSerialDateOf1970);
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
    CivilFromDays(static_cast<long long>(whole) - kSerialDateOf1970, parts.year, parts.month, parts.day);
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
