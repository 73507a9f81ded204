' VarType codes and TypeName texts of every kind of value.
Dim e, arr(1), d
Set d = CreateObject("Scripting.Dictionary")
WScript.Echo VarType(e), VarType(Null), VarType(CInt(1)), VarType(CLng(1)), VarType(CSng(1)), VarType(1.5)
' expect: 0 1 2 3 4 5
WScript.Echo VarType(CCur(1)), VarType(Now), VarType("s"), VarType(d), VarType(True), VarType(CByte(1)), VarType(arr)
' expect: 6 7 8 9 11 17 8204
WScript.Echo TypeName(arr), TypeName(d), TypeName(Nothing), TypeName(CByte(1)), TypeName(CCur(1))
' expect: Variant() Dictionary Nothing Byte Currency
WScript.Echo IsArray(arr), IsArray(e), IsObject(d), IsObject(Nothing), IsObject(1)
' expect: True False True True False
WScript.Echo IsNumeric("12"), IsNumeric("1e5"), IsNumeric("abc"), IsNumeric(Empty), IsNumeric(Null), IsNumeric(True), IsNumeric(" 5 "), IsNumeric("")
' expect: True True False True False True True False
WScript.Echo IsDate("1/1/2000"), IsDate("hello"), IsDate(Now), IsDate(1), IsEmpty(e), IsEmpty(""), IsNull(Null), IsNull(Empty)
' expect: True False True False True False True False
Dim er : Set er = Err
WScript.Echo TypeName(er)
' expect: ErrObject
