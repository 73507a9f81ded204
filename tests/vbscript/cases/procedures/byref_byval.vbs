' ByRef is the default; ByVal copies; parentheses around an argument pass it by value.
Sub Twice(x) : x = x * 2 : End Sub
Sub TwiceByVal(ByVal x) : x = x * 2 : End Sub
Sub TwiceByRef(ByRef x) : x = x * 2 : End Sub
Dim n
n = 5 : Twice n : WScript.Echo n
' expect: 10
n = 5 : TwiceByVal n : WScript.Echo n
' expect: 5
n = 5 : TwiceByRef n : WScript.Echo n
' expect: 10
n = 5 : Twice (n) : WScript.Echo n
' expect: 5
n = 5 : Call Twice(n) : WScript.Echo n
' expect: 10
n = 5 : Call Twice((n)) : WScript.Echo n
' expect: 5
Dim arr(2) : arr(1) = 3
Twice arr(1) : WScript.Echo arr(1)
' expect: 6
Function Bump(ByRef v) : v = v + 1 : Bump = v : End Function
n = 1
WScript.Echo Bump(n), n
' expect: 2 2
WScript.Echo Bump(n + 0), n
' expect: 3 2
Sub Outer(y) : Twice y : End Sub
n = 7 : Outer n : WScript.Echo n
' expect: 14
Class Holder
  Public V
End Class
Dim h : Set h = New Holder : h.V = 4
Twice h.V : WScript.Echo h.V
' expect: 4
Sub Swap(a, b) : Dim t : t = a : a = b : b = t : End Sub
Dim p, q : p = "first" : q = "second"
Swap p, q : WScript.Echo p, q
' expect: second first
