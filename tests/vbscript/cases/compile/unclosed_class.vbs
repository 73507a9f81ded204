Class A
  Sub F
  End Sub
' expect error: compilation error: Expected 'End'
