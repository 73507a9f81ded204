' Outside a class, Me stands for the script itself: its variables, constants and procedures are
' its members, read, assigned and called through it, from global code and from procedures.
Dim counter : counter = 1
Const Limit = 10
Dim list(2)
Function Twice(n) : Twice = n * 2 : End Function
Sub Bump : Me.counter = Me.counter + 1 : End Sub
Bump
WScript.Echo Me.counter, Me.Limit, Me.Twice(21), TypeName(Me), IsObject(Me)
' expect: 2 10 42 Object True
Me.list(1) = "b"
WScript.Echo list(1), UBound(Me.list)
' expect: b 2
Dim self : Set self = Me
self.counter = 7
WScript.Echo counter, self.Twice(self.counter)
' expect: 7 14
Sub UsesExecute
  Execute "Me.counter = 40"
End Sub
UsesExecute
WScript.Echo counter
' expect: 40
' The objects the host added are members too.
Me.WScript.Echo "through Me"
' expect: through Me
' A class's own Me is still its instance, also in code it runs with Execute.
Class Probe
  Public Name
  Public Function Who : Execute "Who = Me.Name" : End Function
End Class
Dim p : Set p = New Probe : p.Name = "probe"
WScript.Echo p.Who
' expect: probe
' What the script does not have, or may not change, fails as with any object.
On Error Resume Next
x = Me.NotThere
WScript.Echo Err.Number, Err.Description
' expect: 438 Object doesn't support this property or method
Err.Clear
Me.Limit = 3
WScript.Echo Err.Number, Limit
' expect: 501 10
Err.Clear
Me.Twice 1, 2
WScript.Echo Err.Number
' expect: 450
Err.Clear
x = Me
WScript.Echo Err.Number
' expect: 438
