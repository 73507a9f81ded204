' The byte functions count two bytes for each character.
WScript.Echo LenB("abc"), LenB(""), IsNull(LenB(Null)), AscB("A"), AscB(ChrW(8364))
' expect: 6 0 True 65 172
WScript.Echo LeftB("abcd", 4), RightB("abcd", 2), MidB("abcd", 3, 4), MidB("abcd", 5)
' expect: ab d bc cd
WScript.Echo InStrB("abcd", "c"), InStrB(6, "abcd", "c"), InStrB("abcd", "z")
' expect: 5 0 0
