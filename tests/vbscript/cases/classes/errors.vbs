' Errors raised inside class code reach the caller with their number.
Class Strict
  Public Sub Fail : Err.Raise 5000, "Strict", "custom failure" : End Sub
End Class
Dim s : Set s = New Strict
On Error Resume Next
s.Fail
WScript.Echo Err.Number, Err.Source, Err.Description
' expect: 5000 Strict custom failure
Err.Clear
Set s = New NotAClass
WScript.Echo Err.Number, Err.Description
' expect: 500 Variable is undefined
Err.Clear
Dim nothingHere
nothingHere.Go
WScript.Echo Err.Number
' expect: 424
