' Execute and Eval inside a class method see its fields and locals.
Class Calc
  Private m_total
  Public Sub Add(n)
    Dim step : step = n * 2
    Execute "m_total = m_total + step"
  End Sub
  Public Function Total : Total = Eval("m_total") : End Function
End Class
Dim c : Set c = New Calc
c.Add 5 : c.Add 1
WScript.Echo c.Total
' expect: 12
