Dim total
Sub Total : End Sub
' expect error: (2, 1) compilation error: Name redefined
