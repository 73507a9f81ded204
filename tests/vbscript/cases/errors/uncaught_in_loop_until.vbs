Dim n : n = 2
Do
  n = n - 1
  Loop Until 1 / n > 5
' expect error: (4, 3) runtime error: Division by zero
