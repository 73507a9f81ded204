' An uncaught runtime error stops the script and names its line.
WScript.Echo "before"
' expect: before
Dim a(1)
a(5) = 1
WScript.Echo "after"
' expect error: (5, 1) runtime error: Subscript out of range
