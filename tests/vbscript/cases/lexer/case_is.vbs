' Nor Is comparisons.
Select Case 3
Case Is > 2
  WScript.Echo "is"
End Select
' expect error: (3, 6) compilation error: Expected expression
