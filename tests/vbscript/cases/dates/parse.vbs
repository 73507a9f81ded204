' Text to dates: the forms CDate, DateValue and IsDate accept.
WScript.Echo CDate("12/25/2003"), CDate("2003-12-25"), CDate("Dec 25, 2003"), CDate("25 December 2003")
' expect: 12/25/2003 12/25/2003 12/25/2003 12/25/2003
WScript.Echo CDate("14:30"), CDate("2:30 PM"), CDate("2:30:15 am"), CDate("12/25/2003 8:05 AM")
' expect: 2:30:00 PM 2:30:00 PM 2:30:15 AM 12/25/2003 8:05:00 AM
WScript.Echo CDate("1/2/03"), CDate("1/2/45"), CDate("13/1/2003"), CDate("January 2003")
' expect: 1/2/2003 1/2/1945 1/13/2003 1/1/2003
WScript.Echo IsDate("2/29/2004"), IsDate("2/29/2003"), IsDate("25:00"), IsDate("1/1/10000"), IsDate("Monday, July 4, 2003")
' expect: True False False False True
WScript.Echo TypeName(CDate("1/1/2000")), CLng(CDate("1/1/2000")), CDate(36526.75)
' expect: Date 36526 1/1/2000 6:00:00 PM
