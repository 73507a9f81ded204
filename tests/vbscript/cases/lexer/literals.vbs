' Literals: integers pick the smallest type, hex and octal are 32-bit patterns, floats, dates, strings.
WScript.Echo TypeName(1), TypeName(32767), TypeName(32768), TypeName(2147483648)
' expect: Integer Integer Long Double
WScript.Echo &HFF, &H7FFF, &HFFFF, &H8000, &H10000, &HFFFFFFFF, &H80000000
' expect: 255 32767 65535 32768 65536 -1 -2147483648
WScript.Echo TypeName(&H8000), TypeName(&HFFFFFFFF), TypeName(&O177777), TypeName(&H7FFF)
' expect: Long Integer Long Integer
Dim hi, ho : hi = "H" : ho = "O"
WScript.Echo "x" &hi, "y" &ho, "z"&hi&ho
' expect: xH yO zHO
WScript.Echo &O17, &17, &o777
' expect: 15 15 511
WScript.Echo 1.5E3, 1.5e-3, .5, 3., 1E300 * 10 / 10
' expect: 1500 0.0015 0.5 3 1E+300
WScript.Echo "say ""hi""", Len(""""), ""
' expect: say "hi" 1 
WScript.Echo #1/2/2003#, #2003-01-02 13:04:05#, #10:30 PM#
' expect: 1/2/2003 1/2/2003 1:04:05 PM 10:30:00 PM
WScript.Echo TypeName(#1/1/2000#), TypeName(1.0), TypeName(True), TypeName(Empty), TypeName(Null), TypeName(Nothing)
' expect: Date Double Boolean Empty Null Nothing
WScript.Echo -32768, TypeName(-32768), TypeName(-32767)
' expect: -32768 Long Integer
WScript.Echo &H8000&, TypeName(&HFF&), CDbl("$1,234.50"), IsNumeric("$5")
' expect: 32768 Long 1234.5 True
