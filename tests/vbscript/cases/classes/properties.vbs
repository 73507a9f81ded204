' Property Let/Set/Get with arguments, default members, and Class_Terminate.
Class Grid
  Private m_cells(2, 2)
  Public Default Property Get Cell(r, c) : Cell = m_cells(r, c) : End Property
  Public Property Let Cell(r, c, v) : m_cells(r, c) = v : End Property
End Class
Dim g : Set g = New Grid
g.Cell(1, 2) = "x"
g(0, 0) = "y"
WScript.Echo g.Cell(1, 2), g(0, 0), IsEmpty(g(2, 2))
' expect: x y True
Class Node
  Private m_next
  Public Name
  Public Property Set NextNode(n) : Set m_next = n : End Property
  Public Property Get NextNode : Set NextNode = m_next : End Property
End Class
Dim a, b : Set a = New Node : Set b = New Node
a.Name = "a" : b.Name = "b"
Set a.NextNode = b
WScript.Echo a.NextNode.Name
' expect: b
Class Noisy
  Public Tag
  Private Sub Class_Terminate() : WScript.Echo "terminate " & Tag : End Sub
End Class
Dim n : Set n = New Noisy : n.Tag = "one"
Set n = Nothing
' expect: terminate one
Sub Scoped
  Dim local : Set local = New Noisy : local.Tag = "local"
End Sub
Scoped
' expect: terminate local
Set n = New Noisy : n.Tag = "replaced"
Set n = New Noisy
' expect: terminate replaced
n.Tag = "at end"
WScript.Echo "end of script"
' expect: end of script
' expect: terminate at end
