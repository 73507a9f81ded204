' DateAdd, DateDiff and DatePart with every interval.
Dim d : d = #1/31/2004 10:00:00#
WScript.Echo DateAdd("m", 1, d), DateAdd("yyyy", 1, #2/29/2004#), DateAdd("q", 1, d), DateAdd("d", -31, d)
' expect: 2/29/2004 10:00:00 AM 2/28/2005 4/30/2004 10:00:00 AM 12/31/2003 10:00:00 AM
WScript.Echo DateAdd("h", 15, d), DateAdd("n", -30, d), DateAdd("s", 3600, d), DateAdd("ww", 2, d), DateAdd("w", 1, d), DateAdd("y", 1, d)
' expect: 2/1/2004 1:00:00 AM 1/31/2004 9:30:00 AM 1/31/2004 11:00:00 AM 2/14/2004 10:00:00 AM 2/1/2004 10:00:00 AM 2/1/2004 10:00:00 AM
WScript.Echo DateDiff("d", #1/1/2004#, #3/1/2004#), DateDiff("m", #1/31/2004#, #2/1/2004#), DateDiff("yyyy", #12/31/2003#, #1/1/2004#)
' expect: 60 1 1
WScript.Echo DateDiff("h", #1/1/2004 1:59#, #1/1/2004 2:01#), DateDiff("n", #1/1/2004 1:00#, #1/1/2004 2:30#), DateDiff("s", #1/1/2004#, #1/1/2004 0:01#)
' expect: 1 90 60
WScript.Echo DateDiff("d", #3/1/2004#, #1/1/2004#), DateDiff("w", #1/1/2004#, #1/20/2004#), DateDiff("ww", #1/1/2004#, #1/20/2004#), DateDiff("q", #1/1/2004#, #12/31/2004#)
' expect: -60 2 3 3
WScript.Echo DatePart("yyyy", d), DatePart("q", d), DatePart("m", d), DatePart("y", d), DatePart("d", d), DatePart("w", d), DatePart("ww", d), DatePart("h", d), DatePart("n", d), DatePart("s", d)
' expect: 2004 1 1 31 31 7 5 10 0 0
WScript.Echo DatePart("ww", #12/31/2004#), DatePart("y", #12/31/2004#)
' expect: 53 366
' A fractional count rounds to the nearest whole number of intervals.
WScript.Echo DateAdd("d", 1.7, d), DateAdd("h", -0.6, d), DateAdd("m", 1.5, d)
' expect: 2/2/2004 10:00:00 AM 1/31/2004 9:00:00 AM 3/31/2004 10:00:00 AM
On Error Resume Next
x = DateAdd("x", 1, d)
WScript.Echo Err.Number
' expect: 5
