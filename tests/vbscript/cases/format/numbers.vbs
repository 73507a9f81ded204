' FormatNumber, FormatCurrency and FormatPercent with their optional arguments.
WScript.Echo FormatNumber(1234567.891), FormatNumber(1234.5, 0), FormatNumber(0.5, 2, 0), FormatNumber(-1234.5, 1, -1, -1)
' expect: 1,234,567.89 1,235 .50 (1,234.5)
WScript.Echo FormatNumber(1234.5, 2, -1, 0, 0), FormatNumber(-0.001, 2), FormatNumber(0.125, 2), FormatNumber(2.5, 0), FormatNumber("12")
' expect: 1234.50 0.00 0.13 3 12.00
WScript.Echo FormatCurrency(1234.5), FormatCurrency(-1234.5), FormatCurrency(-5, 0, -1, 0), FormatCurrency(0.456, 1)
' expect: $1,234.50 ($1,234.50) -$5 $0.5
WScript.Echo FormatPercent(0.256), FormatPercent(1, 0), FormatPercent(-0.5, 1, -1, -1)
' expect: 25.60% 100% (50.0%)
WScript.Echo FormatNumber(1E+20, 0), FormatNumber(123.456, 5)
' expect: 100,000,000,000,000,000,000 123.45600
On Error Resume Next
x = FormatNumber("abc")
WScript.Echo Err.Number
' expect: 13
