Class C
  Default Function Value : Value = 1 : End Function
End Class
' expect error: (2, 3) compilation error: 'Default' specification must also specify 'Public'
