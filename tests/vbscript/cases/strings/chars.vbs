' Asc and Chr use Windows-1252 codes; AscW and ChrW are Unicode.
WScript.Echo Asc("A"), Asc("abc"), Chr(65), Chr(97) & Chr(98), Asc(Chr(200)), AscW("€"), Asc("€"), Chr(128) = "€"
' expect: 65 97 A ab 200 8364 128 True
WScript.Echo ChrW(8364), AscW(ChrW(65535)), ChrW(-1) = ChrW(65535), Len(Chr(0))
' expect: € -1 True 1
WScript.Echo Escape("a b&c/ü€"), Unescape("a%20b%26c%u20AC"), Unescape(Escape("x y"))
' expect: a%20b%26c/%FC%u20AC a b&c€ x y
On Error Resume Next
x = Asc("")
WScript.Echo Err.Number
' expect: 5
Err.Clear
x = Chr(256)
WScript.Echo Err.Number
' expect: 5
