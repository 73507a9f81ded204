' Call and member forms: continued member access, parenthesised objects and callees,
' reserved words as member names.
Class C
  Public p
  Public Function m() : m = "m" & p : End Function
End Class
Dim o : Set o = New C
o _
  .p = 3
WScript.Echo o _
  .p, (New C).m, (o).m
' expect: 3 m m3
Call (o).m
Function Twice(x) : Twice = x * 2 : End Function
Dim arr : arr = Array(10, 20)
WScript.Echo (Twice)(4), (arr)(1), (o).p
' expect: 8 20 3
WScript.Echo (1) + 2, (Twice(1))
' expect: 3 2
Dim d : Set d = CreateObject("Scripting.Dictionary")
On Error Resume Next
x = d.Rem
WScript.Echo Err.Number : Err.Clear
x = d.Property
WScript.Echo Err.Number : Err.Clear
' expect: 438
' expect: 438
.prop = 1
WScript.Echo Err.Number, Err.Description
' expect: 424 Object required
