' Call forms: parentheses around single arguments, Call, methods with and without parentheses.
Sub Show(a, b) : WScript.Echo a & "|" & b : End Sub
Sub One(a) : WScript.Echo "one " & a : End Sub
Show 1, 2
Call Show(3, 4)
Show (5), (6)
One (7)
One(8)
Call One(9)
' expect: 1|2
' expect: 3|4
' expect: 5|6
' expect: one 7
' expect: one 8
' expect: one 9
Function Pair(a, b) : Pair = a & b : End Function
WScript.Echo Pair("x", "y"), Pair("x", Pair("y", "z"))
' expect: xy xyz
Dim d : Set d = CreateObject("Scripting.Dictionary")
d.Add "k", "v"
d.Add ("k2"), 5
WScript.Echo d.Count
' expect: 2
Dim r : r = Pair(1, 2) + 1
WScript.Echo r
' expect: 13
One (1) + 1
' expect: one 2
