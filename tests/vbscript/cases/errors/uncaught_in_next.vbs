Dim i
For i = 1 To 3
  If i = 2 Then i = "two"
  Next
' expect error: (4, 3) runtime error: Type mismatch
