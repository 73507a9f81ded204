If x = 1
  x = 2
End If
' expect error: (1, 9) compilation error: Expected 'Then'
