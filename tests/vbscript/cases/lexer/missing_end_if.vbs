If True Then
  WScript.Echo "x"
' expect error: compilation error: Expected 'End'
