// Variant conversions: text encodings, numbers to and from text, dates, and the coercions the
// language applies (CStr, CDbl, CLng, CBool, CDate...).
#pragma once

#include "vbscript/Value.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace quillora::vbs {

// UTF-16 <-> UTF-8 at the library boundary.
std::string ToUtf8(std::u16string_view text);
std::u16string FromUtf8(std::string_view text);
std::u16string Ascii(std::string_view text); // for literals of plain ASCII

// Letter case of one UTF-16 unit (Latin, Greek, Cyrillic), and of whole texts.
char16_t FoldChar(char16_t c);
char16_t UpperChar(char16_t c);
std::u16string LowerText(std::u16string_view text);
std::u16string UpperText(std::u16string_view text);
// Lower-cased UTF-8, the form member names are looked up in.
std::string FoldedUtf8(std::u16string_view text);
// Compares texts: binary (code units) or text (without regard to case). Returns -1, 0, 1.
int CompareText(std::u16string_view a, std::u16string_view b, bool textCompare);

// The value itself, or for an object its default property (error 438 when it has none, 91 for
// Nothing). References are followed.
Value Resolve(const Value& value);

// Number -> text as CStr writes it: up to 15 significant digits (7 for Single), scientific
// notation from 1E+15 (1E+07 for Single) and below 1E-05.
std::u16string FormatDouble(double x, int significantDigits = 15);
std::u16string FormatCurrency(int64_t scaled);

// Text -> number as the engine reads strings: spaces, sign, thousands commas, decimals,
// exponent, &H and &O prefixes. False when the text is no number.
bool ParseNumber(std::u16string_view text, double& result);

// Dates: OLE serial (days since 30 December 1899) <-> civil parts.
struct DateTimeParts {
    int year = 1899, month = 12, day = 30, hour = 0, minute = 0, second = 0;
    int weekday = 7; // 1 = Sunday
};
DateTimeParts SplitDate(double serial);
// Whole-day serial of a civil date; months and days outside their ranges roll over as
// DateSerial does. False when the year leaves 100..9999.
bool MakeDate(long long year, long long month, long long day, double& serial);
double MakeTime(long long hour, long long minute, long long second);
// Joins a day serial and a time fraction the way OLE dates store negatives.
double CombineDateTime(double daySerial, double timeFraction);
bool IsValidDateSerial(double serial);
// "m/d/yyyy", "h:mm:ss AM" or both, as CStr writes dates.
std::u16string FormatDateValue(double serial);
std::u16string FormatShortDate(double serial);
std::u16string FormatLongTime(double serial);
// Parses the date forms CDate accepts. False when the text is no date.
bool ParseDate(std::u16string_view text, double& serial);
// Now, in the local time zone.
double NowSerial();

// Coercions. Each follows references and resolves objects to their default values; Null
// raises 94 ("Invalid use of Null") where the language does; bad text raises 13.
double ToDouble(const Value& value);
int32_t ToLong(const Value& value); // banker's rounding, 6 on overflow
int16_t ToInteger(const Value& value);
uint8_t ToByte(const Value& value);
int64_t ToCurrency(const Value& value); // scaled by 10,000
float ToSingle(const Value& value);
bool ToBool(const Value& value);
double ToDate(const Value& value);
std::u16string ToString(const Value& value);
// Text of a value for concatenation and display: Null and Empty give "".
std::u16string ToDisplayString(const Value& value);
// A value of the same numeric kind as `value` converted to Double; strings parsed.
bool IsNumericValue(const Value& value);

// Rounding to the nearest even integer, as CInt and CLng round halves.
double BankersRound(double x);

// Numbers VarType reports, and TypeName's texts.
int VarTypeCode(const Value& value);
std::u16string TypeNameOf(const Value& value);

} // namespace quillora::vbs
