' Unbounded recursion ends with "Out of stack space", which On Error can catch.
Function Down(n) : Down = Down(n + 1) : End Function
On Error Resume Next
Down 1
WScript.Echo Err.Number, Err.Description
' expect: 28 Out of stack space
On Error GoTo 0
Down 1
' expect error: runtime error: Out of stack space
