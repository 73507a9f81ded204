' Integer division and Mod round their operands first and keep integer types.
WScript.Echo TypeName(7 \ 2), TypeName(CLng(7) \ 2), TypeName(7.9 \ 2), TypeName(CByte(7) \ CByte(2)), TypeName(CByte(7) Mod 2)
' expect: Integer Long Long Byte Integer
WScript.Echo 2.5 Mod 2, 3.5 Mod 2, -7.5 \ 2, "10" \ "3", True \ 1, 100000 Mod 7
' expect: 0 0 -4 3 -1 5
WScript.Echo IsNull(Null \ 2), IsNull(5 Mod Null), Empty \ 3
' expect: True True 0
