Dim o
o.Method
' expect error: (2, 1) runtime error: Object required: 'o'
