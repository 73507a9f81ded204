' A Property Let takes one argument more than the Property Get of the same name.
Class Grid
  Public Property Get Cell(row) : Cell = row : End Property
  Public Property Let Cell(value) : End Property
End Class
' expect error: compilation error: Number of arguments must be consistent across properties specification
