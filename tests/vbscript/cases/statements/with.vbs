' With blocks, nested, and With on an expression.
Class Point
  Public X, Y
  Public Inner
End Class
Dim p : Set p = New Point
With p
  .X = 1
  .Y = 2
  Set .Inner = New Point
  With .Inner
    .X = 10
  End With
  WScript.Echo .X + .Y, .Inner.X
End With
' expect: 3 10
With CreateObject("Scripting.Dictionary")
  .Add "k", "v"
  WScript.Echo .Count, .Item("k")
End With
' expect: 1 v
