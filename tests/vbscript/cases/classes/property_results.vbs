' Arguments after a parameterless property or function index what it returns.
Class Bag
  Private m_items
  Private Sub Class_Initialize : m_items = Array("a", "b", "c") : End Sub
  Public Property Get Items : Items = m_items : End Property
  Public Function Lookup : Set Lookup = CreateObject("Scripting.Dictionary") : Lookup.Add "k", "v" : End Function
  Public Property Get Size : Size = UBound(m_items) + 1 : End Property
  Public Sub Replace(i, v) : m_items(i) = v : End Sub
  Public Property Let First(v) : m_items(0) = v : End Property
End Class
Dim b : Set b = New Bag
WScript.Echo b.Items(1), b.Lookup("k"), b.Size, UBound(b.Items)
' expect: b v 3 2
b.Replace 2, "z"
b.First = "y"
WScript.Echo Join(b.Items, "")
' expect: ybz
Dim copy : copy = b.Items
copy(0) = "changed"
WScript.Echo b.Items(0)
' expect: y
On Error Resume Next
WScript.Echo b.First
WScript.Echo Err.Number
' expect: 450
