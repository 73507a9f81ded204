' Scripting.Dictionary: Add, Item (default), Exists, Remove, Keys/Items, Key, CompareMode, Count.
Dim d : Set d = CreateObject("Scripting.Dictionary")
d.Add "a", 1
d.Add "b", "two"
d("c") = 3
d.Item("a") = 10
WScript.Echo d.Count, d("a"), d.Item("b"), d.Exists("c"), d.Exists("z"), d.Exists("A")
' expect: 3 10 two True False False
WScript.Echo Join(d.Keys, ","), Join(d.Items, ",")
' expect: a,b,c 10,two,3
d.Remove "b"
WScript.Echo Join(d.Keys, ","), d.Count
' expect: a,c 2
d.Key("c") = "cc"
WScript.Echo Join(d.Keys, ","), d("cc")
' expect: a,cc 3
x = d("missing")
WScript.Echo d.Count, IsEmpty(x), d.Exists("missing")
' expect: 3 True True
d.RemoveAll
WScript.Echo d.Count
' expect: 0
d.CompareMode = vbTextCompare
d.Add "Key", 1
WScript.Echo d.Exists("KEY"), d("key")
' expect: True 1
Dim n : Set n = CreateObject("Scripting.Dictionary")
n.Add 1, "int" : n.Add "1", "string"
WScript.Echo n(1), n("1"), n.Count
' expect: int string 2
Set n(2) = d
WScript.Echo TypeName(n(2)), n(2).Count
' expect: Dictionary 1
On Error Resume Next
d.Add "key", 2
WScript.Echo Err.Number, Err.Description
' expect: 457 This key is already associated with an element of this collection
Err.Clear
d.Remove "nothing"
WScript.Echo Err.Number, Err.Description
' expect: 32811 Element not found
