' Arithmetic result types: Integer overflows into Long, Long into Double; Empty acts as 0.
WScript.Echo 32767 + 1, TypeName(32767 + 1), TypeName(1 + 1)
' expect: 32768 Long Integer
WScript.Echo 2147483647 + 1, TypeName(2147483647 + 1)
' expect: 2147483648 Double
WScript.Echo 200 * 200, TypeName(200 * 200), TypeName(CByte(200) + CByte(100)), TypeName(CByte(1) + CByte(2))
' expect: 40000 Long Integer Byte
WScript.Echo 7 / 2, TypeName(4 / 2), 7 \ 2, -7 \ 2, 7 Mod 3, -7 Mod 3, 7 Mod -3
' expect: 3.5 Double 3 -3 1 -1 1
WScript.Echo 7.5 \ 2, 8.5 Mod 3, 2.5 \ 1, 3.5 \ 1
' expect: 4 2 2 4
WScript.Echo 2 ^ 10, TypeName(2 ^ 2), 4 ^ 0.5, (-8) ^ 2
' expect: 1024 Double 2 64
Dim e
WScript.Echo e + 5, TypeName(e + e), e - 3, e * 4, -e, TypeName(-e)
' expect: 5 Integer -3 0 0 Integer
WScript.Echo "3" + 4, TypeName("3" + 4), "3" + "4", "3" - "1", "2" * "3"
' expect: 7 Double 34 2 6
WScript.Echo True + True, TypeName(True + 1), -True
' expect: -2 Integer 1
WScript.Echo 1.5 + 1, TypeName(CSng(1.5) + 1), TypeName(CSng(1.5) + 100000), TypeName(CSng(1) + CDbl(1))
' expect: 2.5 Single Double Double
WScript.Echo CCur(1.5) + 1, TypeName(CCur(1) + 1), TypeName(CCur(1) * 2.5), CCur(10) / 4
' expect: 2.5 Currency Currency 2.5
WScript.Echo #1/1/2000# + 1, TypeName(#1/1/2000# + 1), #1/3/2000# - #1/1/2000#, TypeName(#1/3/2000# - #1/1/2000#)
' expect: 1/2/2000 Date 2 Double
WScript.Echo 0.1 + 0.2, 1 / 3, 10 / 4, 1E15 + 1, 123456789 * 1000
' expect: 0.3 0.333333333333333 2.5 1E+15 123456789000
On Error Resume Next
WScript.Echo 1 / 0
WScript.Echo Err.Number, Err.Description
' expect: 11 Division by zero
Err.Clear
WScript.Echo 5 \ 0
WScript.Echo Err.Number
' expect: 11
Err.Clear
WScript.Echo 5 Mod 0
WScript.Echo Err.Number
' expect: 11
Err.Clear
x = "abc" + 1
WScript.Echo Err.Number, Err.Description
' expect: 13 Type mismatch
Err.Clear
x = 1E308 * 10
WScript.Echo Err.Number, Err.Description
' expect: 6 Overflow
Err.Clear
x = CInt(32767) * CInt(2)
WScript.Echo Err.Number, x, TypeName(x)
' expect: 0 65534 Long
