' Assignment needs Set for objects; Let reads a default property but overwrites a variable.
Class Box
  Private m_v
  Public Default Property Get Value : Value = m_v : End Property
  Public Property Let Value(v) : m_v = v : End Property
End Class
Dim b, c, n
Set b = New Box
b.Value = 5
n = b
WScript.Echo n, TypeName(n)
' expect: 5 Integer
Set c = b
c = 9
WScript.Echo b.Value, TypeName(c), c
' expect: 5 Integer 9
Set c = Nothing
WScript.Echo TypeName(c), c Is Nothing, b Is Nothing
' expect: Nothing True False
On Error Resume Next
Set n = 5
WScript.Echo Err.Number, Err.Description
' expect: 424 Object required
Err.Clear
Dim plain : Set plain = New Box
Dim d : Set d = CreateObject("Scripting.Dictionary")
d = 1
WScript.Echo Err.Number, TypeName(d), d
' expect: 0 Integer 1
Set d = New Box
d = Empty
WScript.Echo TypeName(d)
' expect: Empty
Dim arr(1) : Set arr(0) = New Box : arr(0) = "text"
Class Holder : Public item : End Class
Dim h : Set h = New Holder : Set h.item = New Box : h.item = 3
Sub Local() : Dim o : Set o = New Box : o = 2.5 : WScript.Echo TypeName(o) : End Sub
Local
WScript.Echo TypeName(arr(0)), TypeName(h.item), Err.Number
' expect: Double
' expect: String Integer 0
x = h
WScript.Echo Err.Number, Err.Description
' expect: 438 Object doesn't support this property or method
