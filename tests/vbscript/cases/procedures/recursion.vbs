' Mutual recursion, recursion over arrays, and functions returning arrays.
Function IsEven(n)
  If n = 0 Then IsEven = True Else IsEven = IsOdd(n - 1)
End Function
Function IsOdd(n)
  If n = 0 Then IsOdd = False Else IsOdd = IsEven(n - 1)
End Function
WScript.Echo IsEven(10), IsOdd(7), IsEven(3)
' expect: True True False
Function SumArray(arr, i)
  If i > UBound(arr) Then SumArray = 0 Else SumArray = arr(i) + SumArray(arr, i + 1)
End Function
WScript.Echo SumArray(Array(1, 2, 3, 4), 0)
' expect: 10
Function Range(n)
  Dim r(), i : ReDim r(n - 1)
  For i = 0 To n - 1 : r(i) = i : Next
  Range = r
End Function
WScript.Echo Join(Range(4), ""), UBound(Range(10))
' expect: 0123 9
Function Hanoi(n, a, b, c)
  If n = 0 Then Hanoi = 0 Else Hanoi = Hanoi(n - 1, a, c, b) + 1 + Hanoi(n - 1, c, b, a)
End Function
WScript.Echo Hanoi(10, "A", "B", "C")
' expect: 1023
Function Depth(n)
  If n = 0 Then Depth = 0 Else Depth = 1 + Depth(n - 1)
End Function
WScript.Echo Depth(300)
' expect: 300
