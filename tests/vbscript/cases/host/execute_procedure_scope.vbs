' A procedure that Execute declares inside a procedure sees the globals but can be called only
' while that procedure runs; declared at the top, it is there for everyone.
Dim X : X = "Global"
Sub Proc1
  Dim X : X = "Local"
  Execute "Sub Proc2 : WScript.Echo X : End Sub"
  WScript.Echo Eval("X")
  Proc2
End Sub
Proc1
' expect: Local
' expect: Global
On Error Resume Next
Proc2
WScript.Echo "outside Proc1:", Err.Number
' expect: outside Proc1: 13
On Error GoTo 0
Execute "Sub Proc2 : WScript.Echo ""now global"" : End Sub"
Sub Proc3
  Execute "Sub Proc2 : WScript.Echo ""Proc3's own"" : End Sub"
  Proc2
End Sub
Proc3
Proc2
' expect: Proc3's own
' expect: now global
