' Err: Raise with every argument, Clear, default member, Source and Description defaults.
On Error Resume Next
Err.Raise 5
WScript.Echo Err.Number, Err.Description, Err.Source
' expect: 5 Invalid procedure call or argument Microsoft VBScript runtime error
Err.Raise 513, "App", "Custom text", "help.chm", 42
WScript.Echo Err.Number, Err.Source, Err.Description, Err.HelpFile, Err.HelpContext
' expect: 513 App Custom text help.chm 42
Err.Clear
WScript.Echo Err.Number, "[" & Err.Description & "]", "[" & Err.Source & "]"
' expect: 0 [] []
Err.Raise 11
If Err Then WScript.Echo "Err is true when set:", Err
' expect: Err is true when set: 11
Err.Description = "changed"
WScript.Echo Err.Description
' expect: changed
Err.Clear
Err.Raise 0
WScript.Echo Err.Number
' expect: 5
On Error Resume Next
WScript.Echo "On Error Resume Next clears Err:", Err.Number
' expect: On Error Resume Next clears Err: 0
Sub Thrower : Err.Raise 1001, "Thrower" : End Sub
Thrower
WScript.Echo Err.Number, Err.Source
' expect: 1001 Thrower
Err.Raise 5008
WScript.Echo Err.Number, Err.Description
' expect: 5008 Illegal assignment
