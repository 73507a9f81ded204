Exit Do
' expect error: compilation error: Invalid 'exit' statement
