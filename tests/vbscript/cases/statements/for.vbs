' For ... Step ... Next: bounds evaluated once, negative and fractional steps, counter after the loop.
Dim i, s
s = ""
For i = 1 To 10 Step 3 : s = s & i & " " : Next
WScript.Echo s, i
' expect: 1 4 7 10  13
s = ""
For i = 5 To 1 Step -2 : s = s & i : Next
WScript.Echo s, i
' expect: 531 -1
s = ""
For i = 0 To 1 Step 0.25 : s = s & i & ";" : Next
WScript.Echo s
' expect: 0;0.25;0.5;0.75;1;
For i = 3 To 1 : WScript.Echo "never" : Next
WScript.Echo "skipped", i
' expect: skipped 3
Dim last : last = 3
For i = 1 To last
  last = 10
Next
WScript.Echo i
' expect: 4
For i = 1 To 10
  If i = 4 Then Exit For
Next
WScript.Echo "exit at", i
' expect: exit at 4
Dim j, count : count = 0
For i = 1 To 3 : For j = 1 To 3 : count = count + 1 : Next : Next
WScript.Echo count
' expect: 9
For i = 1 To 3
  i = i + 1
Next
WScript.Echo i
' expect: 5
WScript.Echo TypeName(i)
' expect: Integer
Sub Loop1
  Dim k, t
  For k = 10 To 1 Step -3 : t = t & k & "," : Next
  WScript.Echo t, k
End Sub
Loop1
' expect: 10,7,4,1, -2
