' Currency keeps four decimals exactly; Byte arithmetic grows into Integer.
Dim c : c = CCur(0.1)
Dim i, total
For i = 1 To 10 : total = total + c : Next
WScript.Echo total, TypeName(total), total = 1
' expect: 1 Currency True
WScript.Echo CCur(1) / CCur(3), TypeName(CCur(2) * CCur(3)), CCur(123456789012.3456), CCur(2147483647) * 10000
' expect: 0.3333 Currency 123456789012.3456 21474836470000
Dim b : b = CByte(250)
WScript.Echo b + CByte(5), TypeName(b + CByte(5)), b + CByte(10), TypeName(b + CByte(10)), TypeName(b * 2)
' expect: 255 Byte 260 Integer Integer
WScript.Echo TypeName(-b), -b, TypeName(b - CByte(251)), b - CByte(251)
' expect: Integer -250 Integer -1
' The ends of the range and text convert exactly, halves of the last decimal to even.
WScript.Echo CCur(922337203685477), CCur("922337203685477.5807"), CCur("-922337203685477.5808")
' expect: 922337203685477 922337203685477.5807 -922337203685477.5808
WScript.Echo CCur("1.23455"), CCur("1.23445"), CCur("1.234450001"), CCur("$1,234.5")
' expect: 1.2346 1.2344 1.2345 1234.5
On Error Resume Next
x = CCur("922337203685477.5808")
WScript.Echo Err.Number
' expect: 6
Err.Clear
x = CCur(900000000000000) * 100
WScript.Echo Err.Number
' expect: 6
