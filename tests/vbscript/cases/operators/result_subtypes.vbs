' The subtype each operator and rounding built-in gives back.
WScript.Echo TypeName(Not Empty), Not Empty, TypeName(Empty And Empty), TypeName(Empty Or Empty)
' expect: Long -1 Long Long
WScript.Echo TypeName(Empty Xor 1), TypeName(Not CByte(1)), TypeName(True And True), TypeName(CByte(1) And True)
' expect: Integer Byte Boolean Integer
WScript.Echo TypeName(Round(True)), Round(True), TypeName(Round(CByte(3))), TypeName(Fix(True)), TypeName(Round(Empty))
' expect: Boolean True Byte Integer Integer
WScript.Echo TypeName(-Empty), TypeName(True + True), TypeName(CSng(1) + CLng(1)), TypeName(CSng(1) / 1)
' expect: Integer Integer Double Single
Dim nothingYet
WScript.Echo TypeName(nothingYet + True), nothingYet + True, TypeName(False + nothingYet), TypeName(nothingYet + CByte(1)), TypeName(nothingYet - True)
' expect: Boolean True Boolean Byte Integer
