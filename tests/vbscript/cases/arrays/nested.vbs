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
' Releasing arrays nested 200,000 deep, alone and alternating with dictionaries, leaves the
' stack alone.
Dim chain, level
For level = 1 To 200000 : chain = Array(level, chain) : Next
WScript.Echo chain(0), chain(1)(0)
chain = Empty
Dim holder
For level = 1 To 100000
  Set holder = CreateObject("Scripting.Dictionary") : holder.Add "inner", chain : chain = Array(holder)
Next
Set holder = Nothing
WScript.Echo UBound(chain), TypeName(chain(0))
chain = Empty
WScript.Echo IsEmpty(chain)
' expect: 200000 199999
' expect: 0 Dictionary
' expect: True
