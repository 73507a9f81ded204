' Select Case with expressions in clauses, nesting, and no matching clause.
Function Grade(score)
  Select Case True
    Case score >= 90 : Grade = "A"
    Case score >= 80 : Grade = "B"
    Case Else : Grade = "C"
  End Select
End Function
WScript.Echo Grade(95), Grade(85), Grade(10)
' expect: A B C
Dim x : x = 4
Select Case x * 2
  Case 1 + 1, 2 * 4
    Select Case "inner"
      Case "INNER" : WScript.Echo "case matters"
      Case "inner" : WScript.Echo "nested"
    End Select
  Case 8 : WScript.Echo "second match never runs"
End Select
' expect: nested
Select Case x
  Case 1
    WScript.Echo "one"
End Select
WScript.Echo "no clause matched"
' expect: no clause matched
Select Case CStr(x)
Case "4"
  WScript.Echo "text four"
End Select
' expect: text four
