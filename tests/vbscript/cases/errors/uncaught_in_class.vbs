Class Widget
  Public Sub Spin(times)
    Dim i
    For i = 1 To times
      If i = 3 Then Err.Raise 9
    Next
  End Sub
End Class
Dim w : Set w = New Widget
WScript.Echo "spinning"
' expect: spinning
w.Spin 5
' expect error: (5, 21) runtime error: Subscript out of range
