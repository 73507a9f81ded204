' If in its one-line and block forms, ElseIf chains, Null conditions.
Dim n
For n = 1 To 4
  If n = 1 Then
    WScript.Echo "one"
  ElseIf n = 2 Then
    WScript.Echo "two"
  ElseIf n = 3 Then WScript.Echo "three"
  Else
    WScript.Echo "many"
  End If
Next
' expect: one
' expect: two
' expect: three
' expect: many
If n > 1 Then WScript.Echo "a" : WScript.Echo "b" Else WScript.Echo "c" : WScript.Echo "d"
' expect: a
' expect: b
If n < 1 Then WScript.Echo "a" : WScript.Echo "b" Else WScript.Echo "c" : WScript.Echo "d"
' expect: c
' expect: d
If Null Then WScript.Echo "null is true" Else WScript.Echo "null is not true"
' expect: null is not true
If "True" Then WScript.Echo "string True"
' expect: string True
If 0 Then WScript.Echo "zero" Else WScript.Echo "not zero"
' expect: not zero
If Not IsEmpty(n) And n = 5 Then WScript.Echo "n is 5 after the loop"
' expect: n is 5 after the loop
If True Then
ElseIf False Then
End If
WScript.Echo "empty blocks"
' expect: empty blocks
