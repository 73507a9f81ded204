' On Error Resume Next in block headers. A failing If condition goes on into its Then part; a
' failing Select Case expression skips the whole block, no clause running.
On Error Resume Next
Dim path : path = ""
If 1 / 0 Then path = path & "then" Else path = path & "else"
WScript.Echo path, Err.Number
' expect: then 11
Err.Clear
path = ""
Select Case CInt("x")
  Case 1
    path = path & "one"
  Case Else
    path = path & "else"
End Select
WScript.Echo "[" & path & "]", Err.Number
' expect: [] 13
Err.Clear
path = ""
Select Case 1 / 0
  Case Else
    path = path & "else only"
End Select
WScript.Echo "[" & path & "]", Err.Number
' expect: [] 11
Err.Clear
' A failing Case label goes on into the statements of that Case.
path = ""
Select Case 2
  Case 1 / 0
    path = path & "failed label"
  Case 2
    path = path & "two"
End Select
WScript.Echo path, Err.Number
' expect: failed label 11
Err.Clear
' With on a failing object: the body runs, and each use of the missing object fails.
Dim uses : uses = 0
With CreateObject("No.Such.Class")
  uses = uses + 1
  .Member = 1
  WScript.Echo uses, Err.Number
End With
' expect: 1 424
Err.Clear
Sub InProcedure
  On Error Resume Next
  Select Case UBound(5)
    Case 1
      WScript.Echo "first clause"
    Case Else
      WScript.Echo "else clause"
  End Select
  WScript.Echo "after Select", Err.Number
End Sub
InProcedure
' expect: after Select 13
