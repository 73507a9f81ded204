' Methods returning Me allow chains; class members call each other without Me.
Class Builder
  Private m_text
  Public Function Add(s)
    m_text = m_text & s
    Set Add = Me
  End Function
  Public Property Get Text : Text = m_text : End Property
  Public Function Twice : Twice = Text & Text : End Function
End Class
Dim b : Set b = New Builder
WScript.Echo b.Add("a").Add("b").Add("c").Text
' expect: abc
WScript.Echo b.Twice
' expect: abcabc
Class Counter
  Public Count
  Public Sub Increment : Count = Count + 1 : End Sub
  Public Sub IncrementTwice : Increment : Me.Increment : End Sub
End Class
Dim c : Set c = New Counter
c.IncrementTwice
WScript.Echo c.Count
' expect: 2
Class Lister
  Public Items()
  Private Sub Class_Initialize : ReDim Items(1) : Items(0) = "p" : Items(1) = "q" : End Sub
End Class
Dim l : Set l = New Lister
WScript.Echo l.Items(1), UBound(l.Items)
' expect: q 1
