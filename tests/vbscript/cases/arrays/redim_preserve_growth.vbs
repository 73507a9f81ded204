' ReDim Preserve in loops: growth keeps the elements, a copy taken before stays apart,
' shrinking releases the dropped objects once the array is whole again.
Dim a(), i, snapshot
ReDim a(0)
a(0) = "first"
For i = 1 To 2000
  ReDim Preserve a(i)
  a(i) = i * 2
  If i = 3 Then snapshot = a
Next
WScript.Echo UBound(a), a(0), a(1), a(2000), UBound(snapshot), snapshot(3)
' expect: 2000 first 2 4000 3 6
Class Tracker
  Public Id
  Private Sub Class_Terminate
    WScript.Echo "bye " & Id & " of " & (UBound(list) + 1)
  End Sub
End Class
Dim list()
ReDim list(2)
For i = 0 To 2
  Set list(i) = New Tracker
  list(i).Id = i
Next
ReDim Preserve list(0)
' expect: bye 1 of 1
' expect: bye 2 of 1
WScript.Echo UBound(list), list(0).Id
' expect: 0 0
Dim grid()
ReDim grid(1, 0)
For i = 0 To 3
  ReDim Preserve grid(1, i)
  grid(0, i) = "r" & i : grid(1, i) = i
Next
WScript.Echo UBound(grid, 2), grid(0, 0), grid(0, 3), grid(1, 2)
' expect: 3 r0 r3 2
Sub Grow(ByRef item)
  ReDim Preserve a(5000)
End Sub
On Error Resume Next
Grow a(1)
WScript.Echo Err.Number, UBound(a)
' expect: 10 2000
