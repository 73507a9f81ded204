Do
  x = 1
' expect error: compilation error: Expected 'Loop'
