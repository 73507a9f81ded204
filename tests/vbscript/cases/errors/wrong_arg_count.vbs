' Calling a procedure or a built-in with the wrong number of arguments: error 450, whose line
' names what was called while Err.Description keeps the plain text.
Function Twice(x) : Twice = 2 * x : End Function
On Error Resume Next
y = Twice()
WScript.Echo Err.Number, Err.Description
' expect: 450 Wrong number of arguments or invalid property assignment
Err.Clear
y = Left("abc")
WScript.Echo Err.Number
' expect: 450
On Error GoTo 0
Twice 1, 2
' expect error: (13, 1) runtime error: Wrong number of arguments or invalid property assignment: 'Twice'
