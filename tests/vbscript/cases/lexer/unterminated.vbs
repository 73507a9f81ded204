WScript.Echo "never"
s = "abc
' expect error: (2, 9) compilation error: Unterminated string constant
