WScript.Echo "start"
' expect: start
  Execute "If x Then"
' expect error: (3, 3) compilation error: Syntax error
