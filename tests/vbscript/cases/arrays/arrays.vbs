' Arrays are values: assignment copies; bounds; multi-dimensional indexing; errors.
Dim a, b
a = Array(1, 2, 3)
b = a
b(0) = 99
WScript.Echo a(0), b(0), LBound(a), UBound(a)
' expect: 1 99 0 2
Dim m(2, 3)
m(2, 3) = "corner"
WScript.Echo m(2, 3), UBound(m), UBound(m, 2)
' expect: corner 2 3
Function MakeArray(n)
  Dim r() : ReDim r(n - 1)
  Dim i : For i = 0 To n - 1 : r(i) = i * i : Next
  MakeArray = r
End Function
Dim sq : sq = MakeArray(5)
WScript.Echo Join(sq, ","), IsArray(sq)
' expect: 0,1,4,9,16 True
Sub Fill(arr) : arr(0) = "filled" : End Sub
Fill a
WScript.Echo a(0)
' expect: filled
Dim nested : nested = Array(Array(1, 2), Array(3, 4))
WScript.Echo nested(1)(0), UBound(nested(0))
' expect: 3 1
On Error Resume Next
x = a(3)
WScript.Echo Err.Number, Err.Description
' expect: 9 Subscript out of range
Err.Clear
x = m(1)
WScript.Echo Err.Number
' expect: 9
Err.Clear
x = UBound(a, 2)
WScript.Echo Err.Number
' expect: 9
Err.Clear
x = UBound(5)
WScript.Echo Err.Number
' expect: 13
Err.Clear
Dim notArray : notArray = 5
notArray(0) = 1
WScript.Echo Err.Number
' expect: 13
