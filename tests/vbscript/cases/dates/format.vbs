' FormatDateTime's five formats.
Dim d : d = #7/4/2003 15:07:09#
WScript.Echo FormatDateTime(d)
' expect: 7/4/2003 3:07:09 PM
WScript.Echo FormatDateTime(d, vbLongDate)
' expect: Friday, July 4, 2003
WScript.Echo FormatDateTime(d, vbShortDate), FormatDateTime(d, vbLongTime), FormatDateTime(d, vbShortTime)
' expect: 7/4/2003 3:07:09 PM 15:07
WScript.Echo FormatDateTime(#7/4/2003#), FormatDateTime(#9:05:00 AM#, 0), FormatDateTime(#9:05:00 AM#, 4)
' expect: 7/4/2003 9:05:00 AM 09:05
