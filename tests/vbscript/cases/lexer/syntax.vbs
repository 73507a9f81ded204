' Names are case-insensitive; comments, continuations, colons and bracketed names.
Dim MyVar : myvar = 3 : MYVAR = MyVar + 1 ' a comment
Rem another comment
WScript.Echo myVAR
' expect: 4
Dim total
total = 1 + _
        2 + _
   3
WScript.Echo total
' expect: 6
Dim [my name], [If]
[my name] = "bracketed" : [If] = 5
WScript.Echo [my name], [If]
' expect: bracketed 5
wscript.echo "case": WSCRIPT.ECHO "insensitive"
' expect: case
' expect: insensitive
x = 1: y = 2: Rem trailing Rem after a colon
WScript.Echo x + y
' expect: 3
If x = 1 Then WScript.Echo "one" Else WScript.Echo "other"
' expect: one
WScript.Echo 1+2*3-4/2, 2^3^2, -2^2, (2+3)*4, 10\3, 10 Mod 3, 7 \ 2 * 2
' expect: 5 64 4 20 3 1 1
