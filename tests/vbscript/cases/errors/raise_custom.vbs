Err.Raise 1234, "Src", "Something went wrong"
' expect error: (1, 1) runtime error: Something went wrong
