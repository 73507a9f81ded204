' Conversion functions: banker's rounding, ranges, text to numbers and dates.
WScript.Echo CInt(2.5), CInt(3.5), CInt(-2.5), CLng(1.5), CLng("12.5"), CInt("  7 ")
' expect: 2 4 -2 2 12 7
WScript.Echo CByte(255), CDbl("1e3"), CDbl("&HFF"), CSng(1.1), CCur("1,234.5678")
' expect: 255 1000 255 1.1 1234.5678
WScript.Echo CBool(1), CBool(0), CBool("true"), CBool("False"), CBool(-0.5), CBool("1")
' expect: True False True False True True
WScript.Echo CStr(True), CStr(1.5), CStr(#2/3/2004#), CStr(Empty) = "", CStr(1E-05), CStr(0.0001)
' expect: True 1.5 2/3/2004 True 1E-05 0.0001
WScript.Echo CDate("2004-02-03"), CDate("Feb 3, 2004"), CDate("3 February 2004 14:05"), CDate(38020.5)
' expect: 2/3/2004 2/3/2004 2/3/2004 2:05:00 PM 2/3/2004 12:00:00 PM
WScript.Echo TypeName(CInt(1)), TypeName(CLng(1)), TypeName(CSng(1)), TypeName(CDbl(1)), TypeName(CCur(1)), TypeName(CByte(1)), TypeName(CDate(1)), TypeName(CBool(1)), TypeName(CStr(1))
' expect: Integer Long Single Double Currency Byte Date Boolean String
On Error Resume Next
x = CInt(32768)
WScript.Echo Err.Number, Err.Description
' expect: 6 Overflow
Err.Clear
x = CByte(-1)
WScript.Echo Err.Number
' expect: 6
Err.Clear
x = CInt("abc")
WScript.Echo Err.Number, Err.Description
' expect: 13 Type mismatch
Err.Clear
x = CLng(Null)
WScript.Echo Err.Number
' expect: 94
Err.Clear
x = CDate("not a date")
WScript.Echo Err.Number
' expect: 13
Err.Clear
x = CBool("maybe")
WScript.Echo Err.Number
' expect: 13
