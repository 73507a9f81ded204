' Assigning to an element of an array held in an array element: copies stay apart, and a
' dictionary's item is a copy.
Dim grid(1) : grid(0) = Array(1, 2)
Dim snapshot : snapshot = grid
grid(0)(1) = 7
WScript.Echo grid(0)(1), snapshot(0)(1)
' expect: 7 2
Dim deep : deep = Array(Array(0, Array("a", "b")))
deep(0)(1)(0) = "z"
WScript.Echo Join(deep(0)(1), "")
' expect: zb
Dim d : Set d = CreateObject("Scripting.Dictionary")
d("k") = Array(1, 2)
d("k")(0) = 9
WScript.Echo d("k")(0)
' expect: 1
