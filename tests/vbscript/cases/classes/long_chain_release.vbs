' Releasing the head of a long Set chain (a linked list of 300,000 nodes) terminates every
' node, in list order, without running out of stack.
Dim gone, order : gone = 0 : order = ""
Class Node
  Public Value, NextNode
  Private Sub Class_Terminate
    gone = gone + 1
    If gone <= 3 Or gone = 300000 Then order = order & Value & " "
  End Sub
End Class
Dim head, n, i
Set head = Nothing
For i = 1 To 300000
  Set n = New Node : n.Value = i : Set n.NextNode = head : Set head = n
Next
Set n = Nothing
Set head = Nothing
WScript.Echo gone, Trim(order)
' expect: 300000 300000 299999 299998 1
