Property Get X
End Property
' expect error: (1, 1) compilation error: Must be defined inside a Class
