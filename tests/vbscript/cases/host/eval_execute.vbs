' Eval, Execute and ExecuteGlobal; Execute sees the local scope of its caller.
Dim x : x = 5
WScript.Echo Eval("x * 2"), Eval("x = 5"), TypeName(Eval("1 + 1"))
' expect: 10 True Integer
Execute "x = x + 1"
WScript.Echo x
' expect: 6
Execute "Sub Dynamic : WScript.Echo ""dynamic sub"" : End Sub"
Dynamic
' expect: dynamic sub
ExecuteGlobal "Function Triple(v) : Triple = v * 3 : End Function"
WScript.Echo Triple(4)
' expect: 12
Sub Local
  Dim y : y = 1
  Execute "y = y + 41"
  WScript.Echo y, Eval("y + 1")
End Sub
Local
' expect: 42 43
' A procedure that Execute declares inside a procedure does not inherit its caller's scope.
Dim z : z = "global"
Sub Declarer
  Dim z : z = "local"
  Execute "Sub Shows : WScript.Echo z : End Sub"
  Shows
  WScript.Echo Eval("z")
End Sub
Declarer
' expect: global
' expect: local
On Error Resume Next
Execute "x = "
WScript.Echo Err.Number, Err.Description
' expect: 1002 Syntax error
Err.Clear
x = Eval("1 +") : WScript.Echo Err.Number : Err.Clear
' expect: 1002
ExecuteGlobal "Class" : WScript.Echo Err.Number : Err.Clear
' expect: 1002
Eval Array(1) : WScript.Echo Err.Number : Err.Clear
Execute Nothing : WScript.Echo Err.Number, Err.Description : Err.Clear
' expect: 13
' expect: 13 Type mismatch
x = Eval("1 / 0") : WScript.Echo Err.Number, Err.Description : Err.Clear
' expect: 11 Division by zero
