' Assignment needs Set for objects; Let on an object assigns its default property.
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
WScript.Echo b.Value, TypeName(c)
' expect: 9 Box
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
WScript.Echo Err.Number
' expect: 450
