' On Error Resume Next skips the failing statement; Err keeps the details until cleared.
On Error Resume Next
Dim x : x = 1
x = 1 / 0
WScript.Echo "after", x, Err.Number, Err.Description, Err.Source
' expect: after 1 11 Division by zero Microsoft VBScript runtime error
Err.Clear
WScript.Echo Err.Number, Err.Description = ""
' expect: 0 True
If 1 / 0 = 1 Then
  WScript.Echo "the statement after a failing condition runs"
End If
' expect: the statement after a failing condition runs
Err.Raise 1000
WScript.Echo Err.Number, Err.Description
' expect: 1000 Unknown runtime error
Err.Raise 9
WScript.Echo Err.Number, Err.Description
' expect: 9 Subscript out of range
Err.Raise vbObjectError + 1, "MySource", "My description"
WScript.Echo Err.Number - vbObjectError, Err.Source, Err.Description
' expect: 1 MySource My description
Err.Number = 42
WScript.Echo Err.Number, Err
' expect: 42 42
On Error GoTo 0
WScript.Echo Err.Number
' expect: 0
Sub Inner
  Dim y : y = 1 / 0
  WScript.Echo "not reached"
End Sub
On Error Resume Next
Inner
WScript.Echo "caller continues", Err.Number
' expect: caller continues 11
Sub Guarded
  On Error Resume Next
  Dim z : z = CInt("x")
  WScript.Echo "inside", Err.Number
End Sub
On Error GoTo 0
Guarded
' expect: inside 13
Function Careful(x)
  On Error Resume Next
  Careful = 1 / x
  If Err.Number <> 0 Then Careful = "failed" : Exit Function
End Function
On Error Resume Next
' Leaving early keeps Err, as leaving at the end does.
WScript.Echo Careful(0), Err.Number
' expect: failed 11
Function Sloppy(x)
  On Error Resume Next
  Sloppy = 1 / x
End Function
WScript.Echo Sloppy(0), Err.Number
' expect:  11
