Sub F
End Function
' expect error: (2, 5) compilation error: Expected 'Sub'
