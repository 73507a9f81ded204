Dim n : n = 0
If n > 0 Then
  WScript.Echo "positive"
  ElseIf 1 / n Then
  WScript.Echo "never"
End If
' expect error: (4, 3) runtime error: Division by zero
