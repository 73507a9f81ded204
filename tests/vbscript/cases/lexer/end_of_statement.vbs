WScript.Echo "a" "b"
' expect error: (1, 18) compilation error: Expected end of statement
