DoesNotExist 1, 2
' expect error: (1, 1) runtime error: Type mismatch: 'DoesNotExist'
