x = 1
Loop
' expect error: (2, 1) compilation error: 'loop' without 'do'
