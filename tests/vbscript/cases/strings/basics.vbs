' Len, Left, Right, Mid, case and trimming.
Dim s : s = "Hello, World"
WScript.Echo Len(s), Left(s, 5), Right(s, 5), Mid(s, 8), Mid(s, 8, 3), Mid(s, 50) = ""
' expect: 12 Hello World World Wor True
WScript.Echo Left(s, 0) = "", Left(s, 100), Len(12345), Len(Empty)
' expect: True Hello, World 5 0
WScript.Echo UCase(s), LCase(s), UCase("straße àé")
' expect: HELLO, WORLD hello, world STRAßE ÀÉ
WScript.Echo "[" & Trim("  a b  ") & "]", "[" & LTrim("  a ") & "]", "[" & RTrim(" a  ") & "]", "[" & Trim(vbTab & "x") & "]"
' expect: [a b] [a ] [ a] [	x]
WScript.Echo Space(3) & "|", String(3, "ab"), String(2, 65), StrReverse("abc")
' expect:    | aaa AA cba
WScript.Echo Len("héllo wörld"), Mid("héllo", 2, 1), Left("日本語", 2)
' expect: 11 é 日本
On Error Resume Next
x = Mid(s, 0)
WScript.Echo Err.Number, Err.Description
' expect: 5 Invalid procedure call or argument
Err.Clear
x = Left(s, -1)
WScript.Echo Err.Number
' expect: 5
Err.Clear
WScript.Echo IsNull(Mid(Null, 1)), IsNull(Left(Null, 1)), IsNull(UCase(Null)), IsNull(Trim(Null))
' expect: True True True True
