' Date parts, DateSerial and TimeSerial with rollover, DateValue and TimeValue.
Dim d : d = #3/15/2004 14:25:36#
WScript.Echo Year(d), Month(d), Day(d), Hour(d), Minute(d), Second(d), Weekday(d), TypeName(Year(d))
' expect: 2004 3 15 14 25 36 2 Integer
WScript.Echo DateSerial(2004, 13, 1), DateSerial(2004, 3, 0), DateSerial(99, 1, 1), DateSerial(5, 1, 1), DateSerial(2004, 2, 30)
' expect: 1/1/2005 2/29/2004 1/1/1999 1/1/2005 3/1/2004
WScript.Echo TimeSerial(14, 30, 0), TimeSerial(25, 0, 0), TimeSerial(0, 90, 0), TypeName(TimeSerial(1, 0, 0))
' expect: 2:30:00 PM 12/31/1899 1:00:00 AM 1:30:00 AM Date
WScript.Echo DateValue("March 15, 2004 10:00"), TimeValue("3/15/2004 10:05:00 PM"), DateValue(d)
' expect: 3/15/2004 10:05:00 PM 3/15/2004
WScript.Echo MonthName(1), MonthName(12, True), WeekdayName(1), WeekdayName(2, True), WeekdayName(1, False, vbMonday)
' expect: January Dec Sunday Mon Monday
WScript.Echo Weekday(#1/1/2000#), Weekday(#1/1/2000#, vbMonday), IsNull(Year(Null))
' expect: 7 6 True
WScript.Echo #12/30/1899#, CDate(0), CDate(0.25), CDate(1), #1/1/100#, #12/31/9999#
' expect: 12:00:00 AM 12:00:00 AM 6:00:00 AM 12/31/1899 1/1/100 12/31/9999
WScript.Echo TypeName(Now), TypeName(Date), TypeName(Time), TypeName(Timer), Date = Int(Now), Time <= Now
' expect: Date Date Date Single True True
WScript.Echo CDbl(#1/1/2000 6:00 AM#), CDate(-1.25)
' expect: 36526.25 12/29/1899 6:00:00 AM
