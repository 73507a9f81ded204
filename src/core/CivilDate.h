// The civil calendar as day counts: the one date algorithm that value-list files and the script
// engine share (proleptic Gregorian, any year).
#pragma once

namespace quillora {

// Days from 1970-01-01 to year-month-day (month 1..12, day 1..31).
long long DaysFromCivil(long long year, unsigned month, unsigned day);
// The year, month and day of a count of days from 1970-01-01.
void CivilFromDays(long long days, int& year, int& month, int& day);

// 1970-01-01 as a serial date (days since 30 December 1899).
inline constexpr long long kSerialDateOf1970 = 25569;

} // namespace quillora
