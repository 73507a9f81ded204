' A built-in's own failure names it on the error line; Err.Description keeps the plain text,
' and failures while evaluating its arguments name nothing.
On Error Resume Next
x = Replace(Null, "a", "b")
WScript.Echo Err.Number, Err.Description
' expect: 94 Invalid use of Null
Err.Clear
Set o = CreateObject("No.Such.Class")
WScript.Echo Err.Number, Err.Description
' expect: 429 ActiveX component can't create object
On Error GoTo 0
x = Mid("abc", 0)
' expect error: (12, 1) runtime error: Invalid procedure call or argument: 'Mid'
