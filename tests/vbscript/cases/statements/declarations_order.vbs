' A global Const is known before its line; ReDim converts a string bound.
WScript.Echo Later, Later * 2
Const Later = 7
' expect: 7 14
Dim a() : ReDim a("3") : WScript.Echo UBound(a)
' expect: 3
