Const x 5
' expect error: (1, 9) compilation error: Expected '='
