' The byte functions count two bytes for each character.
WScript.Echo LenB("abc"), LenB(""), IsNull(LenB(Null)), AscB("A"), AscB(ChrW(8364))
' expect: 6 0 True 65 172
WScript.Echo LeftB("abcd", 4), RightB("abcd", 2), MidB("abcd", 3, 4), MidB("abcd", 5)
' expect: ab d bc cd
WScript.Echo InStrB("abcd", "c"), InStrB(6, "abcd", "c"), InStrB("abcd", "z")
' expect: 5 0 0
' Byte strings keep an odd length and join byte by byte.
WScript.Echo LenB(ChrB(65)), LenB(LeftB("abc", 1)), Len(ChrB(65)), AscB(ChrB(200)), LenB(MidB("abcd", 2, 3))
' expect: 1 1 0 200 3
Dim pair : pair = ChrB(65) & ChrB(66)
WScript.Echo LenB(pair), Len(pair), AscW(pair), LenB("x" & ChrB(1)), LenB(ChrB(1) & "x")
' expect: 2 1 16961 3 3
pair = ChrB(65) : pair = pair & ChrB(66) & ChrB(67)
WScript.Echo LenB(pair), AscB(MidB(pair, 3, 1)), InStrB(pair, ChrB(67)), LenB(RightB("abc", 3))
' expect: 3 67 3 3
