x = 1 ? 2
' expect error: (1, 7) compilation error: Invalid character
