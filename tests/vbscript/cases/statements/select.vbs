' Select Case with comma lists, Case Else, strings, and numbers against literals.
Function Kind(x)
  Select Case x
    Case 1, 2, 3
      Kind = "small"
    Case 10: Kind = "ten"
    Case Else
      Kind = "other"
  End Select
End Function
WScript.Echo Kind(2), Kind(10), Kind(99)
' expect: small ten other
Function Letter(x)
  Select Case x
    Case "a", "b" : Letter = "ab"
    Case Else : Letter = "other"
  End Select
End Function
WScript.Echo Letter("b"), Letter("A"), Letter(5)
' expect: ab other other
On Error Resume Next
WScript.Echo Kind("b")
WScript.Echo Err.Number
' expect: 13
On Error GoTo 0
Dim v : v = "3"
Select Case v
  Case 3 : WScript.Echo "string 3 matches the literal 3"
  Case Else : WScript.Echo "no match"
End Select
' expect: string 3 matches the literal 3
Select Case True
  Case v = "4" : WScript.Echo "four"
  Case v = "3" : WScript.Echo "three"
End Select
' expect: three
Select Case Null
  Case Null : WScript.Echo "Null never equals"
  Case Else : WScript.Echo "else"
End Select
' expect: else
Dim calls : calls = 0
Function Probe() : calls = calls + 1 : Probe = 2 : End Function
Select Case Probe()
  Case 1 : WScript.Echo 1
  Case 2 : WScript.Echo 2
  Case 3 : WScript.Echo 3
End Select
WScript.Echo "evaluated", calls, "time"
' expect: 2
' expect: evaluated 1 time
