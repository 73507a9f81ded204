' Split and Join, Filter.
Dim parts : parts = Split("a,b,,c", ",")
WScript.Echo UBound(parts), parts(2) = "", Join(parts, "|")
' expect: 3 True a|b||c
parts = Split("one two three")
WScript.Echo UBound(parts), parts(1)
' expect: 2 two
parts = Split("a,b,c,d", ",", 2)
WScript.Echo UBound(parts), parts(1)
' expect: 1 b,c,d
parts = Split("")
WScript.Echo UBound(parts)
' expect: -1
parts = Split("aXbxc", "x", -1, vbTextCompare)
WScript.Echo Join(parts, "-")
' expect: a-b-c
WScript.Echo Join(Array(1, 2, 3)), Join(Array(1, 2, 3), ""), Join(Array())
' expect: 1 2 3 123 
Dim f : f = Filter(Array("apple", "banana", "cherry"), "an")
WScript.Echo Join(f, ","), Join(Filter(Array("apple", "banana", "cherry"), "an", False), ",")
' expect: banana apple,cherry
WScript.Echo Join(Filter(Array("Apple", "apricot"), "AP", True, vbTextCompare), ",")
' expect: Apple,apricot
