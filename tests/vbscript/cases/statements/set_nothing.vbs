' Set with New, functions returning objects, Nothing and Is.
Class Item
  Public Name
End Class
Function MakeItem(n)
  Dim it : Set it = New Item
  it.Name = n
  Set MakeItem = it
End Function
Dim a, b
Set a = MakeItem("first")
Set b = a
b.Name = "shared"
WScript.Echo a.Name, a Is b, TypeName(MakeItem("x"))
' expect: shared True Item
Set b = MakeItem("second")
WScript.Echo a Is b, a.Name, b.Name
' expect: False shared second
Dim list(1)
Set list(0) = a : Set list(1) = b
WScript.Echo list(0).Name & "," & list(1).Name
' expect: shared,second
Dim n : Set n = Nothing
WScript.Echo IsObject(n), n Is Nothing, TypeName(n), VarType(n)
' expect: True True Nothing 9
Function Maybe(flag)
  If flag Then Set Maybe = New Item Else Set Maybe = Nothing
End Function
WScript.Echo Maybe(True) Is Nothing, Maybe(False) Is Nothing
' expect: False True
