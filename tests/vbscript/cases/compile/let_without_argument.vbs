Class C
  Property Let V
  End Property
End Class
' expect error: (2, 17) compilation error: Property set or let must have at least one argument
