' Exit Do / For / Sub / Function / Property leave only their own construct.
Function FindFirst(arr, v)
  Dim i
  FindFirst = -1
  For i = 0 To UBound(arr)
    If arr(i) = v Then
      FindFirst = i
      Exit Function
    End If
  Next
End Function
WScript.Echo FindFirst(Array(4, 5, 6), 5), FindFirst(Array(4, 5, 6), 9)
' expect: 1 -1
Dim i, j, hits
For i = 1 To 3
  For j = 1 To 3
    If j = 2 Then Exit For
    hits = hits & i & j & " "
  Next
Next
WScript.Echo hits
' expect: 11 21 31 
Class Limited
  Private m_v
  Public Property Get V
    V = "unset"
    If IsEmpty(m_v) Then Exit Property
    V = m_v
  End Property
  Public Property Let V(x)
    If x < 0 Then Exit Property
    m_v = x
  End Property
End Class
Dim l : Set l = New Limited
WScript.Echo l.V
l.V = -1 : WScript.Echo l.V
l.V = 3 : WScript.Echo l.V
' expect: unset
' expect: unset
' expect: 3
Dim n : n = 0
Do
  n = n + 1
  For i = 1 To 10
    If i = 2 Then Exit For
  Next
  If n = 3 Then Exit Do
Loop
WScript.Echo n, i
' expect: 3 2
