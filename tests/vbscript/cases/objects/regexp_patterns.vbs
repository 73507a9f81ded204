' ECMAScript-style patterns: anchors, classes, quantifiers, groups, backreferences, lookahead.
Function Matches(pattern, text)
  Dim re : Set re = New RegExp
  re.Pattern = pattern : re.Global = True
  Dim m, out : out = ""
  For Each m In re.Execute(text) : out = out & "[" & m.Value & "]" : Next
  Matches = out
End Function
WScript.Echo Matches("\d+", "a1b22c333")
' expect: [1][22][333]
WScript.Echo Matches("^\w+", "first second"), Matches("\w+$", "first second")
' expect: [first] [second]
WScript.Echo Matches("[aeiou]{2}", "book keeper"), Matches("colou?r", "color colour")
' expect: [oo][ee] [color][colour]
WScript.Echo Matches("(\w)\1", "aabbcd"), Matches("\bcat\b", "cat concat cat."), Matches("\s+", "a  b" & vbTab & "c")
' expect: [aa][bb] [cat][cat] [  ][	]
WScript.Echo Matches("\d(?=px)", "5px 6em 7px"), Matches("a.c", "abc a" & vbLf & "c"), Matches("[^a-c]+", "abcdefabc")
' expect: [5][7] [abc] [def]
WScript.Echo Matches("a*?b", "aaab"), Matches("(ab)+", "ababx"), Matches("\x41\u0042", "AB")
' expect: [aaab] [abab] [AB]
Dim re : Set re = New RegExp
re.Pattern = "(\d+)-(\d+)"
WScript.Echo re.Replace("10-20", "$2-$1"), re.Replace("1-2", "$$"), re.Replace("1-2", "<$&>"), re.Replace("x1-2y", "[$`|$']")
' expect: 20-10 $ <1-2> x[x|y]y
re.Pattern = "z"
WScript.Echo re.Execute("abc").Count, re.Test(""), re.Replace("abc", "q")
' expect: 0 False abc
re.Pattern = "^$"
WScript.Echo re.Test(""), re.Execute("").Count
' expect: True 1
' "." stops only at a line feed; in MultiLine mode a carriage return still ends a line.
WScript.Echo Replace(Matches("a.b", "a" & vbCr & "b"), vbCr, "\r"), Matches("[.]", "a.b"), Matches("\..", "a.b")
' expect: [a\rb] [.] [.b]
re.Global = True : re.Pattern = "^." : re.MultiLine = True
WScript.Echo Replace(Replace(re.Replace("ab" & vbCr & "cd" & vbLf & "ef", "_"), vbCr, "\r"), vbLf, "\n")
' expect: _b\r_d\n_f
' IgnoreCase folds letters beyond ASCII as well; \w stays ASCII.
re.Pattern = "caf" & ChrW(233) & "\w*" : re.IgnoreCase = True : re.MultiLine = False
WScript.Echo re.Test("CAF" & ChrW(201)), re.Test(ChrW(1041) & "CAFE"), re.Replace("Le CAF" & ChrW(201) & "s" & ChrW(233), "[$&]") = "Le [CAF" & ChrW(201) & "s]" & ChrW(233)
' expect: True False True
re.Pattern = "x*" : re.Global = True
Dim n : n = re.Execute(ChrW(55357) & ChrW(56832) & "a").Count
re.Pattern = "\u00e9"
WScript.Echo n, re.Replace("e" & ChrW(201), "[$&]")
' expect: 4 e[É]
' \v is the vertical tab only; letters without a meaning of their own stand for themselves.
re.IgnoreCase = False : re.Global = True : re.Pattern = "\v"
WScript.Echo re.Test(vbLf), re.Test(vbCr), re.Test(vbVerticalTab), re.Test(Chr(12))
' expect: False False True False
re.Pattern = "\h\Q\A\z[\R]"
WScript.Echo re.Replace("x hQAzR hQAz", "<$&>")
' expect: x <hQAzR> hQAz
