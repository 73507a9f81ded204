' How numbers become text: fifteen significant digits, exponent forms, Single precision.
WScript.Echo CStr(1E-07), CStr(123456789012345678), CStr(CSng(3.14159265)), CStr(-0.5), CStr(1E+16), CStr(2 / 3)
' expect: 1E-07 1.23456789012346E+17 3.141593 -0.5 1E+16 0.666666666666667
WScript.Echo 100, 1.0, 1.50, -0, 5E-324 > 0, 1.7976931348623157E+308
' expect: 100 1 1.5 0 True 1.79769313486232E+308
WScript.Echo CCur(123.45678), CCur(-0.00005), CCur(1) / 3, 0.1 * 3
' expect: 123.4568 0 0.3333 0.3
