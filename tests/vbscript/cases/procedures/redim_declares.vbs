' ReDim declares a name nobody declared, even under Option Explicit: a global at the top,
' a local inside a procedure.
Option Explicit
ReDim list(2)
list(2) = "top"
WScript.Echo UBound(list), list(2)
' expect: 2 top
Sub Grow
  ReDim scratch(1)
  scratch(1) = "local"
  ReDim Preserve list(4)
  WScript.Echo UBound(scratch), scratch(1)
End Sub
Grow
' expect: 1 local
WScript.Echo UBound(list), list(2)
' expect: 4 top
Function Squares(n)
  ReDim items(n)
  Dim i
  For i = 0 To n : items(i) = i * i : Next
  Squares = items
End Function
WScript.Echo Join(Squares(3), ",")
' expect: 0,1,4,9
On Error Resume Next
scratch(0) = 1
WScript.Echo Err.Number
' expect: 500
