Sub Show(a, b)
  WScript.Echo a, b
End Sub
Show(1, 2)
' expect error: (4, 1) compilation error: Cannot use parentheses when calling a Sub
