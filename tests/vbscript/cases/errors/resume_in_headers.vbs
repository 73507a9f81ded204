' On Error Resume Next with a failing loop header: the loop is skipped, the counter kept.
On Error Resume Next
Dim i, n : i = 7 : n = 0
For i = 1 To 1 / 0
  n = n + 1
Next
WScript.Echo "after For", i, n, Err.Number
' expect: after For 7 0 11
Err.Clear
For i = CInt("x") To 3 Step 1
  n = n + 1
Next
WScript.Echo i, n, Err.Number
' expect: 7 0 13
Err.Clear
For i = 1 To 3 Step Null
  n = n + 1
Next
WScript.Echo i, n, Err.Number
' expect: 7 0 94
Err.Clear
Sub InProcedure()
  On Error Resume Next
  Dim k : k = "kept"
  For k = 1 To Array()
    WScript.Echo "body"
  Next
  WScript.Echo k, Err.Number
End Sub
InProcedure
' expect: kept 13
Err.Clear
For Each i In 5
  n = n + 1
Next
WScript.Echo "after For Each", i, n, Err.Number
' expect: after For Each 7 0 451
