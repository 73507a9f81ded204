Sub Deep
    Dim x
    x = "a" * 2
End Sub
Deep
' expect error: (3, 5) runtime error: Type mismatch
