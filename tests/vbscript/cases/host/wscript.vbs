' The console host: Echo joins its arguments with spaces; StdOut; Arguments; MsgBox prints.
' args: alpha beta
WScript.Echo "a", 1, True, Null, Empty, 2.5
' expect: a 1 True Null  2.5
WScript.Echo
' expect:
WScript.StdOut.Write "no newline "
WScript.StdOut.WriteLine "then newline"
' expect: no newline then newline
WScript.Echo WScript.Arguments.Count, WScript.Arguments(0), WScript.Arguments.Item(1)
' expect: 2 alpha beta
Dim arg
For Each arg In WScript.Arguments : WScript.Echo "arg:", arg : Next
' expect: arg: alpha
' expect: arg: beta
Dim r : r = MsgBox("Shown on the console", vbYesNo + vbQuestion, "Title")
WScript.Echo r = vbYes
' expect: Shown on the console
' expect: True
MsgBox "plain"
' expect: plain
Dim answer : answer = InputBox("Your name?")
' stdin: Grace
WScript.Echo "Hi " & answer
' expect: Hi Grace
WScript.Echo "[" & InputBox("Nothing left") & "]"
' expect: []
WScript.Quit 0
WScript.Echo "not reached"
