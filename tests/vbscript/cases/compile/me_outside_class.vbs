x = Me
' expect error: (1, 5) compilation error: Invalid use of 'Me' keyword
