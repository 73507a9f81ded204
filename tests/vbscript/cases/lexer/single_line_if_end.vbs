' A one-line If takes every statement up to the end of its line, so End Function cannot follow it there.
Function F(n) : If n = 0 Then F = 1 Else F = 2 : End Function
' expect error: compilation error: Expected statement
