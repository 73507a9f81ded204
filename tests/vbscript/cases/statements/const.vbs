' Constants, including negative and expression-free literals, in global and local scope.
Const Pi = 3.14159, Greeting = "hello", Neg = -5, Flag = True
WScript.Echo Pi, Greeting, Neg, Flag, TypeName(Neg)
' expect: 3.14159 hello -5 True Integer
Sub UseLocal
  Const Local = #1/1/2020#
  WScript.Echo Local, Greeting
End Sub
UseLocal
' expect: 1/1/2020 hello
Private Const Hidden = 1
Public Const Shown = 2
WScript.Echo Hidden + Shown
' expect: 3
On Error Resume Next
Greeting = "changed"
WScript.Echo Err.Number, Greeting
' expect: 501 hello
WScript.Echo vbCrLf = Chr(13) & Chr(10), Len(vbTab), vbTextCompare, vbYes, vbObjectError
' expect: True 1 1 6 -2147221504
