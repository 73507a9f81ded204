' Err.Raise outside the language's own numbers: object errors below zero, numbers past 65535,
' fractions rounded, and the generic text for numbers the language does not know.
On Error Resume Next
Err.Raise vbObjectError + 513
WScript.Echo Err.Number, Err.Description
' expect: -2147220991 Unknown runtime error
Err.Clear
Err.Raise 70000, "Game"
WScript.Echo Err.Number, Err.Source, Err.Description
' expect: 70000 Game Unknown runtime error
Err.Clear
Err.Raise 69.6
WScript.Echo Err.Number, Err.Description
' expect: 70 Permission denied
Err.Clear
Err.Raise Null
WScript.Echo Err.Number
' expect: 94
Err.Clear
Err.Raise "seventy"
WScript.Echo Err.Number
' expect: 13
