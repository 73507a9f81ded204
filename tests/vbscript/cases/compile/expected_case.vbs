Select 3
End Select
' expect error: (1, 8) compilation error: Expected 'Case'
