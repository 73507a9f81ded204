' Functions return through their name; Exit Function; recursion; calls without parentheses.
Function Add(a, b)
  Add = a + b
End Function
Function Nothing_()
End Function
Function Early(x)
  Early = "small"
  If x < 10 Then Exit Function
  Early = "big"
End Function
Function Fib(n)
  If n < 2 Then Fib = n Else Fib = Fib(n - 1) + Fib(n - 2)
End Function
WScript.Echo Add(2, 3), IsEmpty(Nothing_()), Early(1), Early(100), Fib(20)
' expect: 5 True small big 6765
Dim r
r = Add(1, 2) * 2
WScript.Echo r
' expect: 6
Add 1, 2
Call Add(1, 2)
WScript.Echo "results may be ignored"
' expect: results may be ignored
Function NoArgs
  NoArgs = "called"
End Function
WScript.Echo NoArgs, NoArgs()
' expect: called called
Function Accumulate(n)
  Accumulate = 0
  Dim i
  For i = 1 To n
    Accumulate = Accumulate + i
  Next
End Function
WScript.Echo Accumulate(10)
' expect: 55
Sub Greet(name)
  If name = "" Then Exit Sub
  WScript.Echo "Hello, " & name
End Sub
Greet "" : Greet "Ann"
' expect: Hello, Ann
On Error Resume Next
WScript.Echo Add(1)
WScript.Echo Err.Number, Err.Description
' expect: 450 Wrong number of arguments or invalid property assignment
Err.Clear
Undefined_Procedure 1
WScript.Echo Err.Number, Err.Description
' expect: 13 Type mismatch
