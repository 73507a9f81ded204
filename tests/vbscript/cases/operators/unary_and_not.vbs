' A sign binds tighter than ^; Not may be the operand of a comparison.
WScript.Echo -3 ^ 2, -2 ^ 3, 2 ^ -1, -(3 ^ 2), - -2 ^ 2
' expect: 9 -8 0.5 -9 4
WScript.Echo True <> Not True, 1 = Not -1, Not 0 = -1
' expect: True False True
