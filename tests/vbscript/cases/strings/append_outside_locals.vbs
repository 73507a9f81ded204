' Appending from procedures to globals, to undeclared names (local to the procedure), and
' to class fields, including an operand that is the object itself.
Sub S
  undeclared = undeclared & "a" : undeclared = undeclared & "b" & 1
  WScript.Echo undeclared
End Sub
S
WScript.Echo IsEmpty(undeclared)
' expect: ab1
' expect: True
Dim log
Sub Note(x) : log = log & x & ";" : End Sub
Note "one" : Note 2 : Note Null : Note True
WScript.Echo log
' expect: one;2;;True;
Class Builder
  Private m_text, m_count
  Public Default Property Get Text : Text = m_text : End Property
  Public Sub Add(x) : m_text = m_text & x : m_count = m_count & "|" : End Sub
  Public Sub AddSelf : m_text = m_text & Me : End Sub
  Public Property Get Count : Count = Len(m_count) : End Property
End Class
Dim b : Set b = New Builder
b.Add "ab" : b.Add 3.5 : b.AddSelf
WScript.Echo b.Text, b.Count, b & "!"
' expect: ab3.5ab3.5 2 ab3.5ab3.5!
Sub Later : lateG = lateG & "z" : WScript.Echo lateG : End Sub
Later
ExecuteGlobal "Dim lateG : lateG = ""y"""
Later
WScript.Echo lateG
' expect: z
' expect: yz
' expect: yz
