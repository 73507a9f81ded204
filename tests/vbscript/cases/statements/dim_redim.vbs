' Dim, ReDim [Preserve], Erase and fixed arrays.
Dim a(2), b(), c
WScript.Echo UBound(a), IsArray(b), IsEmpty(c)
' expect: 2 True True
ReDim b(1)
b(0) = "x" : b(1) = "y"
ReDim Preserve b(3)
WScript.Echo b(0), b(1), IsEmpty(b(3)), UBound(b)
' expect: x y True 3
ReDim b(1)
WScript.Echo IsEmpty(b(0))
' expect: True
ReDim c(2, 3)
WScript.Echo UBound(c, 1), UBound(c, 2), LBound(c, 2)
' expect: 2 3 0
c(2, 3) = 7
ReDim Preserve c(2, 5)
WScript.Echo c(2, 3), UBound(c, 2)
' expect: 7 5
a(1) = 5
Erase a
WScript.Echo UBound(a), IsEmpty(a(1))
' expect: 2 True
Erase b
On Error Resume Next
WScript.Echo UBound(b)
WScript.Echo Err.Number
' expect: 9
Err.Clear
ReDim a(5)
WScript.Echo Err.Number, Err.Description
' expect: 10 This array is fixed or temporarily locked
Err.Clear
ReDim Preserve c(3, 5)
WScript.Echo Err.Number
' expect: 9
On Error GoTo 0
ReDim undeclared(1)
undeclared(1) = "implicit"
WScript.Echo undeclared(1)
' expect: implicit
Dim e : e = Array()
WScript.Echo UBound(e), LBound(e)
' expect: -1 0
Dim i1, i2, i3
WScript.Echo IsEmpty(i1) And IsEmpty(i2) And IsEmpty(i3)
' expect: True
