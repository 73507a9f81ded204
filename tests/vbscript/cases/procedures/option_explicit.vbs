Option Explicit
Dim declared
declared = 1
WScript.Echo declared
' expect: 1
undeclared = 2
WScript.Echo "not reached"
' expect error: (6, 1) runtime error: Variable is undefined: 'undeclared'
