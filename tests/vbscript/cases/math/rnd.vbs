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
