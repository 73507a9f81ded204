' SetLocale changes separators, currency, dates and names; 1033 is the default.
WScript.Echo GetLocale, 1.5, DateSerial(2023, 12, 24)
' expect: 1033 1.5 12/24/2023
WScript.Echo SetLocale(1031), GetLocale
' expect: 1033 1031
WScript.Echo 1.5, CStr(2.25), CDbl("1,5") + 1, CCur(3.75), IsNumeric("2,5")
' expect: 1,5 2,25 2,5 3,75 True
WScript.Echo FormatNumber(1234567.891, 2), FormatCurrency(1234.5), FormatCurrency(-2)
' expect: 1.234.567,89 1.234,50 € -2,00 €
WScript.Echo MonthName(3), WeekdayName(1), MonthName(12, True)
' expect: März Sonntag Dez
WScript.Echo CStr(DateSerial(2023, 12, 24)), "|", FormatDateTime(DateSerial(2023, 12, 24), vbLongDate)
' expect: 24.12.2023 | Sonntag, 24. Dezember 2023
WScript.Echo DateSerial(2023, 12, 24) + TimeSerial(13, 4, 5), FormatDateTime(TimeSerial(9, 5, 0), vbShortTime)
' expect: 24.12.2023 13:04:05 09:05
WScript.Echo SetLocale("en-gb"), GetLocale, DateSerial(2023, 12, 24), FormatCurrency(5), 1.5
' expect: 1031 2057 24/12/2023 £5.00 1.5
WScript.Echo SetLocale("fr-FR"), 1.5, FormatCurrency(12.5), MonthName(2)
' expect: 2057 1,5 12,50 € février
WScript.Echo SetLocale("de"), GetLocale
' expect: 1036 1031
WScript.Echo SetLocale(0), GetLocale, 1.5, FormatCurrency(5), MonthName(3)
' expect: 1031 1033 1.5 $5.00 March
On Error Resume Next
SetLocale 99999
WScript.Echo Err.Number, Err.Description, GetLocale
' expect: 5 Invalid procedure call or argument 1033
Err.Clear
SetLocale 1031
WScript.Echo Month(CDate("3.4.2023")), Day(CDate("3.4.2023")), IsDate("24.12.2023"), Month(DateValue("13.1.2003"))
' expect: 4 3 True 1
SetLocale 1033
WScript.Echo Month(CDate("3/4/2023"))
' expect: 3
