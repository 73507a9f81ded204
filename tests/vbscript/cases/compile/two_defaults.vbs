Class C
  Public Default Sub A : End Sub
  Public Default Function B : End Function
End Class
' expect error: (3, 18) compilation error: Cannot have multiple default property/method in a Class
