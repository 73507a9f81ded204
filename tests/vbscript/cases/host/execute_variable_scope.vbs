' Inside a procedure, Execute works in that procedure's namespace: what its code declares or
' first assigns is the procedure's own and gone when it returns; ExecuteGlobal's is global.
Dim shared : shared = "outer"
Sub Work
  Execute "Dim temp : temp = 3"
  Execute "fresh = 4"
  Execute "Dim shared : shared = ""inner"""
  ExecuteGlobal "Dim kept : kept = 5"
  WScript.Echo temp, fresh, Eval("temp + fresh"), shared
End Sub
Work
' expect: 3 4 7 inner
WScript.Echo "[" & temp & "]", "[" & fresh & "]", shared, kept
' expect: [] [] outer 5
Function Depth(n)
  Execute "Dim mine : mine = n"
  If n > 0 Then Depth = mine & Depth(n - 1) & mine Else Depth = "-"
End Function
WScript.Echo Depth(2)
' expect: 21-12
