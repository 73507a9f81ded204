Dim 1
' expect error: (1, 5) compilation error: Expected identifier
