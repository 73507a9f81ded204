' Strings and numbers together, lengths of non-strings, case-insensitive searching.
WScript.Echo Len(3.5), Len(True), Len(#1/1/2000#), Left(12345, 2), Right(True, 3), Mid(3.14159, 3, 2)
' expect: 3 4 8 12 rue 14
WScript.Echo UCase(Null & "x"), LCase(123), InStr(1, "Hello World", "WORLD", vbTextCompare), InStrRev("a/b/c", "/")
' expect: X 123 7 4
WScript.Echo StrComp("abc", "ABD", vbTextCompare), StrComp("", ""), StrComp("a", "")
' expect: -1 0 1
WScript.Echo Replace("a-b-c", "-", "", 1, 1), Replace("Hello", "L", "l"), Replace("Hello", "L", "x", 1, -1, vbTextCompare)
' expect: ab-c Hello Hexxo
WScript.Echo "Tab:" & vbTab & ":", "[" & Space(0) & "]", String(0, "x") = ""
' expect: Tab:	: [] True
