' Hex and Oct, with Integer and Long bit patterns for negatives.
WScript.Echo Hex(255), Hex(-1), Hex(CLng(-1)), Hex(65536), Hex(Empty), Hex(10.5), Oct(8), Oct(-1)
' expect: FF FFFF FFFFFFFF 10000 0 A 10 177777
WScript.Echo IsNull(Hex(Null))
' expect: True
