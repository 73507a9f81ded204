' A subscript computed by a default property that reassigns the array itself.
Class Sneaky
  Public Default Property Get V
    ReDim a(100)
    a(0) = "new"
    V = 1
  End Property
End Class
Dim a(), s : ReDim a(3) : Set s = New Sneaky
a(s) = "assigned"
WScript.Echo a(0), a(1), UBound(a)
' expect: new assigned 100
Sub Change(x) : x = "by reference" : End Sub
Change a(s)
WScript.Echo a(1), UBound(a)
' expect: by reference 100
