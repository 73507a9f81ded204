Dim i
For i = 1 To 2 : WScript.Echo i : Next
While i < 5 i = i + 1
Wend
' expect error: (3, 13) compilation error: Expected end of statement
