' Math functions: Int and Fix, Abs, Sgn, Round (to even), Sqr, Exp, Log, trigonometry.
WScript.Echo Int(2.7), Int(-2.7), Fix(2.7), Fix(-2.7), TypeName(Int(2.7)), TypeName(Int(CInt(2))), Int("3.9")
' expect: 2 -3 2 -2 Double Integer 3
WScript.Echo Abs(-3), Abs(3.5), Abs(CInt(-32768)), TypeName(Abs(CInt(-32768))), IsNull(Abs(Null)), Abs(Empty)
' expect: 3 3.5 32768 Long True 0
WScript.Echo Sgn(-2), Sgn(0), Sgn(0.1), TypeName(Sgn(5))
' expect: -1 0 1 Integer
WScript.Echo Round(2.5), Round(3.5), Round(-2.5), Round(2.456, 2), Round(1.005, 2), Round(2.4), TypeName(Round(2.5)), TypeName(Round(CInt(3)))
' expect: 2 4 -2 2.46 1 2 Double Integer
WScript.Echo Sqr(16), Round(Exp(1), 10), Log(Exp(2)), Round(Sin(0), 5), Cos(0), Round(Atn(1) * 4, 10), Round(Tan(0), 3)
' expect: 4 2.7182818285 2 0 1 3.1415926536 0
On Error Resume Next
x = Sqr(-1)
WScript.Echo Err.Number
' expect: 5
Err.Clear
x = Log(0)
WScript.Echo Err.Number
' expect: 5
Err.Clear
x = Round(1.5, -1)
WScript.Echo Err.Number
' expect: 5
