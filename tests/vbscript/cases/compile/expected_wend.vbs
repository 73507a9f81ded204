While True
  x = 1
' expect error: compilation error: Expected 'Wend'
