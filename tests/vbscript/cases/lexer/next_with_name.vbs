For i = 1 To 2
Next i
' expect error: (2, 6) compilation error: Expected end of statement
