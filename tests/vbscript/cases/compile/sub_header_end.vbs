' A procedure's header ends its line; a word after it is not the first statement of the body.
Sub Greet : WScript.Echo "hi" : End Sub
Sub Report value
  WScript.Echo value
End Sub
' expect error: (3, 12) compilation error: Expected end of statement
