' RegExp: Test, Execute with Matches/SubMatches, Replace with groups, options.
Dim re : Set re = New RegExp
re.Pattern = "(\w+)@(\w+)\.com"
WScript.Echo re.Test("mail bob@example.com now"), re.Test("nothing here")
' expect: True False
Dim ms : Set ms = re.Execute("bob@example.com, ann@test.com")
WScript.Echo ms.Count, ms(0).Value, ms(0).FirstIndex, ms(0).Length, ms(0).SubMatches(0), ms(0).SubMatches.Count
' expect: 1 bob@example.com 0 15 bob 2
re.Global = True
Set ms = re.Execute("bob@example.com, ann@test.com")
Dim m
For Each m In ms : WScript.Echo m.FirstIndex, m, m.SubMatches(1) : Next
' expect: 0 bob@example.com example
' expect: 17 ann@test.com test
WScript.Echo re.Replace("bob@example.com, ann@test.com", "$2:$1")
' expect: example:bob, test:ann
Dim r2 : Set r2 = CreateObject("VBScript.RegExp")
r2.Pattern = "a"
WScript.Echo r2.Replace("banana", "o"), r2.Global, r2.IgnoreCase
' expect: bonana False False
r2.Global = True : r2.IgnoreCase = True
WScript.Echo r2.Replace("BANANA", "[$&]")
' expect: B[A]N[A]N[A]
r2.Pattern = "^\d+$" : r2.MultiLine = True
WScript.Echo r2.Execute("12" & vbCrLf & "ab" & vbLf & "345").Count
' expect: 2
r2.MultiLine = False
WScript.Echo r2.Test("12" & vbLf), r2.Test("123")
' expect: False True
r2.Pattern = "x*"
WScript.Echo r2.Execute("axb").Count, r2.Replace("ab", "-")
' expect: 4 -a-b-
r2.Pattern = "(a)|(b)"
Set ms = r2.Execute("b")
WScript.Echo IsEmpty(ms(0).SubMatches(0)), ms(0).SubMatches(1)
' expect: True b
r2.Pattern = "\u0041\x42"
WScript.Echo r2.Test("AB")
' expect: True
On Error Resume Next
r2.Pattern = "(unclosed"
x = r2.Test("a")
WScript.Echo Err.Number, Err.Description
' expect: 5020 Expected ')' in regular expression
Dim bad
For Each bad In Array("[ab", "+a", "[z-a]", "a{2,1}")
  Err.Clear
  r2.Pattern = bad
  x = r2.Test("a")
  WScript.Echo Err.Number, Err.Description
Next
' expect: 5019 Expected ']' in regular expression
' expect: 5018 Unexpected quantifier
' expect: 5021 Invalid range in character set
' expect: 5017 Syntax error in regular expression
