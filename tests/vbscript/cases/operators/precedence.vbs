' Operator precedence: unary minus, ^, * /, \, Mod, + -, &, comparisons, Not, And, Or, Xor, Eqv, Imp.
WScript.Echo 2 + 3 * 4 ^ 2 / 8 Mod 5, -3 ^ 2, (-3) ^ 2, 2 ^ -1, 10 - 2 - 3, 100 / 10 / 5
' expect: 3 9 9 0.5 5 2
WScript.Echo 1 + 2 & 3 + 4, "a" & 1 + 2, 5 \ 2 * 3, 7 Mod 4 \ 2
' expect: 37 a3 0 1
WScript.Echo Not 1 + 1, Not True And False, True Or False And False, True Xor True Or True
' expect: -3 False True False
WScript.Echo 1 < 2 = True, 3 > 2 > 1, 1 = 1 And 2 = 2, False Eqv False Imp False
' expect: True False True False
