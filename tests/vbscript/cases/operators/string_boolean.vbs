' A string compared with a Boolean is compared with the Boolean's text.
WScript.Echo "True" = True, "" = False, "-1" = True, "false" = False, "0" = False
' expect: True False False False False
Dim s, b : s = "False" : b = False
WScript.Echo s = b, b = s, s <> b, "True" <> True
' expect: True True False False
WScript.Echo "0" = 0, "10" = 10
' expect: True True
