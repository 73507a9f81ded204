' A syntax error stops the whole script before anything runs.
WScript.Echo "never printed"
x = (1 + 2
' expect error: (3, 11) compilation error: Expected ')'
