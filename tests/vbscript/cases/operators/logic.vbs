' Logical operators are bitwise on numbers and logical on Booleans.
WScript.Echo True And False, True Or False, True Xor True, Not True, True Eqv False, False Imp False
' expect: False True False False False True
WScript.Echo 12 And 10, 12 Or 10, 12 Xor 10, Not 0, Not 5, 5 Eqv 3, 5 Imp 3
' expect: 8 14 6 -1 -6 -7 -5
WScript.Echo TypeName(True And 1), TypeName(CByte(1) And CByte(3)), TypeName(1 And 100000)
' expect: Integer Byte Long
WScript.Echo Not "True", "False" Or False, TypeName(Not 1.6), Not 1.6
' expect: False False Long -3
Dim calls : calls = 0
Function Side() : calls = calls + 1 : Side = True : End Function
If False And Side() Then WScript.Echo "no"
WScript.Echo "no short circuit:", calls
' expect: no short circuit: 1
WScript.Echo Not 1 = 2, (Not 1) = 2
' expect: True False
