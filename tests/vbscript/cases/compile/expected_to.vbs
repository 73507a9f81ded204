For i = 1 3
Next
' expect error: (1, 11) compilation error: Expected 'To'
