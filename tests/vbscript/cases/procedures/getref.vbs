' GetRef gives a callable reference to a procedure.
Function Square(x) : Square = x * x : End Function
Sub Hello(name) : WScript.Echo "hello " & name : End Sub
Dim f : Set f = GetRef("Square")
WScript.Echo f(7), TypeName(f)
' expect: 49 Object
Dim h : Set h = GetRef("hello")
h "world"
' expect: hello world
Function Apply(fn, v) : Apply = fn(v) : End Function
WScript.Echo Apply(GetRef("Square"), 3)
' expect: 9
On Error Resume Next
Set f = GetRef("NoSuchThing")
WScript.Echo Err.Number
' expect: 5
