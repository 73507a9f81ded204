' Default members: Function and Property Get, used by value, with arguments and through Set.
Class Names
  Private m_items
  Private Sub Class_Initialize : Set m_items = CreateObject("Scripting.Dictionary") : End Sub
  Public Default Function Item(key)
    If m_items.Exists(key) Then Item = m_items(key) Else Item = "(none)"
  End Function
  Public Sub Add(key, value) : m_items(key) = value : End Sub
  Public Property Get Count : Count = m_items.Count : End Property
End Class
Dim n : Set n = New Names
n.Add "a", "Ann"
WScript.Echo n("a"), n("z"), n.Item("a"), n.Count
' expect: Ann (none) Ann 1
Class Temperature
  Public Default Property Get Degrees : Degrees = 21 : End Property
End Class
Dim t : Set t = New Temperature
WScript.Echo t + 1, "It is " & t, t = 21, CStr(t), TypeName(t)
' expect: 22 It is 21 True 21 Temperature
Class Plain
  Public X
End Class
Dim p : Set p = New Plain
On Error Resume Next
WScript.Echo p + 1
WScript.Echo Err.Number
' expect: 438
' Inside a class, `Me = value` assigns the instance's default property.
Class Cell
  Private m_v
  Public Default Property Get Value : Value = m_v : End Property
  Public Property Let Value(v) : m_v = v : End Property
  Public Sub Load(v) : Me = v * 2 : End Sub
End Class
Dim box : Set box = New Cell
box.Load 21
WScript.Echo box, TypeName(box)
' expect: 42 Cell
Class NoDefault
  Public Sub Try : Me = 1 : End Sub
End Class
Dim nd : Set nd = New NoDefault
On Error Resume Next
nd.Try
WScript.Echo Err.Number
' expect: 438
On Error GoTo 0
