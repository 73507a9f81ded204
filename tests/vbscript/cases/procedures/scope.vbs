' Globals, locals, implicit variables and procedures defined after their use.
Dim g : g = "global"
Sub ShowScope
  Dim g : g = "local"
  WScript.Echo g
End Sub
ShowScope
WScript.Echo g
' expect: local
' expect: global
Sub SetImplicit
  implicitVar = "inside"
End Sub
SetImplicit
WScript.Echo IsEmpty(implicitVar)
' expect: True
Sub ChangeGlobal
  g = "changed"
End Sub
ChangeGlobal
WScript.Echo g
' expect: changed
WScript.Echo LaterDefined(2)
' expect: 4
Function LaterDefined(x) : LaterDefined = x * 2 : End Function
Function Counter()
  counterCalls = counterCalls + 1
  Counter = counterCalls
End Function
counterCalls = 10
WScript.Echo Counter(), Counter()
' expect: 11 12
