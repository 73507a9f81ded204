' Comparisons: numbers with numbers, strings binary, numbers below strings, literals convert.
Dim s, n, e
s = "10" : n = 9
WScript.Echo s > n, n < s, s = "10", n = 9
' expect: True True True True
WScript.Echo s = 10, 10 = s, s > 9, "abc" < "abd", "B" < "a", "abc" = "ABC"
' expect: True True True True True False
WScript.Echo e = 0, e = "", e = False, IsEmpty(e)
' expect: True True True True
WScript.Echo 1 = 1.0, CInt(1) = CLng(1), CSng(0.5) = 0.5, True = -1, False = 0
' expect: True True True True True
WScript.Echo #1/1/2000# < #1/2/2000#, #1/1/2000# = 36526
' expect: True True
WScript.Echo 2 < 10, "2" < "10", Len("abc") = 3
' expect: True False True
Dim o1, o2 : Set o1 = CreateObject("Scripting.Dictionary") : Set o2 = o1
WScript.Echo o1 Is o2, o1 Is Nothing, Nothing Is Nothing
' expect: True False True
On Error Resume Next
WScript.Echo 1 Is 1
WScript.Echo Err.Number
' expect: 424
Err.Clear
x = ("abc" = 1)
WScript.Echo Err.Number
' expect: 13
