' InStr, InStrRev, StrComp and Replace with start, count and compare arguments.
WScript.Echo InStr("abcabc", "c"), InStr(4, "abcabc", "c"), InStr("abc", "z"), InStr("abc", ""), InStr(2, "abc", "")
' expect: 3 6 0 1 2
WScript.Echo InStr(1, "ABC", "b"), InStr(1, "ABC", "b", 1), InStr(1, "ABC", "b", vbTextCompare), InStr("", "a")
' expect: 0 2 2 0
WScript.Echo InStrRev("abcabc", "c"), InStrRev("abcabc", "c", 5), InStrRev("abc", "z"), InStrRev("aXbx", "x", -1, 1)
' expect: 6 3 0 4
WScript.Echo IsNull(InStr(Null, "a")), IsNull(InStr("a", Null)), InStr(10, "abc", "a")
' expect: True True 0
WScript.Echo StrComp("a", "b"), StrComp("b", "a"), StrComp("a", "A"), StrComp("a", "A", 1), IsNull(StrComp(Null, "a"))
' expect: -1 1 1 0 True
WScript.Echo Replace("aaa", "a", "b"), Replace("aaa", "a", "b", 2), Replace("aaa", "a", "b", 1, 2), Replace("AaA", "a", "x", 1, -1, 1)
' expect: bbb bb bba xxx
WScript.Echo Replace("abc", "", "x"), Replace("abc", "b", ""), Replace("a.b.c", ".", "::")
' expect: abc ac a::b::c
