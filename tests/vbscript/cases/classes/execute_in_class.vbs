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
' Inside Execute, as in the method's own code, its locals and its result come before the
' class's members of the same name.
Class Shadow
  Public Level
  Public Function Report(Level)
    Execute "Report = ""arg "" & Level"
  End Function
  Public Function Named
    Dim Level : Level = "local"
    Execute "Named = Level : Me.Level = ""field"""
  End Function
End Class
Dim sh : Set sh = New Shadow
WScript.Echo sh.Report(3), sh.Named, sh.Level
' expect: arg 3 local field
