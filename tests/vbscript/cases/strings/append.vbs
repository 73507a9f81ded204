' Appending to a variable: every operand is read before the variable changes.
Dim s, i
s = "ab"
s = s & "c" & Len(s) & s
WScript.Echo s
' expect: abc2ab
s = Empty
s = s & 1 & Null & True
WScript.Echo s, TypeName(s)
' expect: 1True String
Dim n : n = Null
n = n & Null
WScript.Echo IsNull(n)
' expect: True
Sub Build
  Dim t, k
  For k = 1 To 5 : t = t & k & "," : Next
  WScript.Echo t
End Sub
Build
' expect: 1,2,3,4,5,
Dim shared : shared = "x"
Dim other : other = shared
shared = shared & "y"
WScript.Echo other, shared
' expect: x xy
