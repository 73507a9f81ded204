' VBScript has no ranges in Case clauses.
Select Case 3
Case 1 To 5
  WScript.Echo "range"
End Select
' expect error: (3, 8) compilation error: Expected end of statement
