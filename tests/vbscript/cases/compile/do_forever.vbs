Do Forever
Loop
' expect error: (1, 4) compilation error: Expected 'While', 'Until' or end of statement
