' What a class member cannot take fails with the language's numbers: an index on a member
' that holds or returns neither an array nor an object is an argument it does not take (450),
' as is an assignment the member has no Property Let or Set for.
Class Holder
  Public Plain, List, Child
  Private Hidden
  Public Property Get Total : Total = 3 : End Property
  Public Property Get Items : Items = Array("a", "b") : End Property
  Public Property Let WriteOnly(v) : Hidden = v : End Property
End Class
Dim h : Set h = New Holder
h.Plain = 5 : h.List = Array(10, 20)
WScript.Echo h.List(1), h.Items(0)
' expect: 20 a
h.List(0) = 11
WScript.Echo h.List(0)
' expect: 11
On Error Resume Next
x = h.Plain(0) : WScript.Echo "index plain", Err.Number, Err.Description : Err.Clear
' expect: index plain 450 Wrong number of arguments or invalid property assignment
h.Plain(0) = 1 : WScript.Echo "assign index plain", Err.Number, h.Plain : Err.Clear
' expect: assign index plain 450 5
x = h.Total(1) : WScript.Echo "index property", Err.Number : Err.Clear
' expect: index property 450
Set h.Child = Nothing
x = h.Child(0) : WScript.Echo "index nothing", Err.Number : Err.Clear
' expect: index nothing 91
h.Total = 4 : WScript.Echo "let read-only", Err.Number, h.Total : Err.Clear
' expect: let read-only 450 3
Set h.WriteOnly = h : WScript.Echo "set let-only", Err.Number : Err.Clear
' expect: set let-only 450
x = h.WriteOnly : WScript.Echo "read write-only", Err.Number : Err.Clear
' expect: read write-only 450
x = h.Hidden : WScript.Echo "private", Err.Number, Err.Description : Err.Clear
' expect: private 438 Object doesn't support this property or method
h.Missing 1 : WScript.Echo "missing", Err.Number : Err.Clear
' expect: missing 438
Set y = New NoSuchClass : WScript.Echo "unknown class", Err.Number : Err.Clear
' expect: unknown class 500
