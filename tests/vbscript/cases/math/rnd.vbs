' Rnd gives numbers in [0, 1); a negative argument reseeds, 0 repeats the last number.
Dim i, ok, r : ok = True
For i = 1 To 1000
  r = Rnd
  If r < 0 Or r >= 1 Then ok = False
Next
WScript.Echo ok, TypeName(r), Rnd(0) = r
' expect: True Single True
Dim a, b
a = Rnd(-5) : b = Rnd
Dim c, d
c = Rnd(-5) : d = Rnd
WScript.Echo a = c, b = d
' expect: True True
Randomize 42
a = Rnd
Randomize 42
WScript.Echo TypeName(a), a >= 0 And a < 1
' expect: Single True
Randomize
WScript.Echo Int(Rnd * 6) + 1 <= 6
' expect: True
' A negative argument seeds from its Single bits; Rnd(0) repeats the last number drawn.
WScript.Echo Rnd(-1), Rnd, Rnd(0), Rnd(-2), Rnd(-0.5)
' expect: 0.224007 0.03584582 0.03584582 0.7133257 0.724007
