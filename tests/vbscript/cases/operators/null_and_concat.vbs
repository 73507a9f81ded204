' Null propagates through arithmetic and comparison; & treats Null and Empty as "".
Dim n : n = Null
WScript.Echo IsNull(n + 1), IsNull(n * 0), IsNull(-n), IsNull(n = n), IsNull(n <> 1), IsNull(n & n)
' expect: True True True True True True
WScript.Echo "a" & n & "b", "x" & Empty & 1 & True & 2.5
' expect: ab x1True2.5
WScript.Echo TypeName("a" & Null), TypeName(Null & Null), 1 & 2, TypeName(1 & 2)
' expect: String Null 12 String
WScript.Echo IsNull(Null And True), Null And False, IsNull(Null Or False), Null Or True
' expect: True False True True
WScript.Echo IsNull(Not Null), IsNull(Null Xor True), IsNull(Null Eqv True)
' expect: True True True
WScript.Echo False Imp Null, IsNull(True Imp Null), Null Imp True, IsNull(Null Imp False)
' expect: True True True True
On Error Resume Next
x = CStr(Null)
WScript.Echo Err.Number, Err.Description
' expect: 94 Invalid use of Null
Err.Clear
x = Len(Null)
WScript.Echo Err.Number, IsNull(x)
' expect: 0 True
