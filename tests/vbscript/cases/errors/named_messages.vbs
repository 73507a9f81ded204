' The host's error line names what failed; Err.Description keeps the plain text.
Dim d : Set d = CreateObject("Scripting.Dictionary")
On Error Resume Next
d.NoSuchMethod
WScript.Echo Err.Description
' expect: Object doesn't support this property or method
On Error GoTo 0
d.NoSuchMethod 1
' expect error: (8, 1) runtime error: Object doesn't support this property or method: 'd.NoSuchMethod'
