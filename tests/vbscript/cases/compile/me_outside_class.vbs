' Me may be read anywhere, but never given another object.
Set Me = Nothing
' expect error: (2, 5) compilation error: Invalid use of 'Me' keyword
