Dim y
Const c = y + 1
' expect error: compilation error: Expected literal constant
