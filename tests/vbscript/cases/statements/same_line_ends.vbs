' Block ends and bodies sharing a line with the header or the last statement.
Dim x
Sub SetX() x = 1 End Sub
SetX
Function Twice(n) Twice = n * 2 End Function
Class K Public v End Class
Class M : Public w : Sub Fill() w = 9 End Sub : End Class
Dim inst : Set inst = New M : inst.Fill
WScript.Echo x, Twice(4), inst.w
' expect: 1 8 9
Dim a : a = False
If a Then
  WScript.Echo "then"
Else x = 2 End If
WScript.Echo x
' expect: 2
If a Then :
WScript.Echo "after an empty one-line If"
' expect: after an empty one-line If
If a Then : WScript.Echo "not shown"
If Not a Then : WScript.Echo "one line" : End If
If Not a Then :
  WScript.Echo "block"
End If
' expect: one line
' expect: block
Select Case 2
Case 1 WScript.Echo "one"
Case 2, 3 WScript.Echo "two" : WScript.Echo "or three"
Case Else WScript.Echo "else"
End Select
' expect: two
' expect: or three
Sub Nested(flag) If flag Then WScript.Echo "nested" End If End Sub
Nested True
' expect: nested
Dim i
For i = 1 To 3
  If a Then : Exit For
  If Not a Then WScript.Echo "loop" Else WScript.Echo "else" : Exit For
Next
If a Then WScript.Echo "then" Else WScript.Echo "after"
' expect: loop
' expect: loop
' expect: loop
' expect: after
