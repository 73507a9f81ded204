For i = 1 To 3
  x = 1
' expect error: compilation error: Expected 'Next'
