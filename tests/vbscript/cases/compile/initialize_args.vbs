Class C
  Sub Class_Initialize(x) : End Sub
End Class
' expect error: (2, 3) compilation error: Class initialize or terminate do not have arguments
