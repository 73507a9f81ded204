' For Each over arrays (a copy of the values), multi-dimensional arrays and collections.
Dim a, x, s
a = Array(1, 2, 3)
For Each x In a
  x = x * 10
  s = s & x & " "
Next
WScript.Echo s, a(0)
' expect: 10 20 30  1
Dim m(1, 2)
m(0, 0) = "a" : m(1, 0) = "b" : m(0, 1) = "c" : m(1, 1) = "d" : m(0, 2) = "e" : m(1, 2) = "f"
s = ""
For Each x In m : s = s & x : Next
WScript.Echo s
' expect: abcdef
Dim d : Set d = CreateObject("Scripting.Dictionary")
d.Add "one", 1 : d.Add "two", 2
For Each x In d.Keys : WScript.Echo x, d(x) : Next
' expect: one 1
' expect: two 2
For Each x In Array()
  WScript.Echo "never"
Next
WScript.Echo "empty array ok"
' expect: empty array ok
For Each x In Array(1, 2, 3, 4)
  If x = 3 Then Exit For
Next
WScript.Echo x
' expect: 3
On Error Resume Next
For Each x In 42
Next
WScript.Echo Err.Number, Err.Description
' expect: 451 Object not a collection
