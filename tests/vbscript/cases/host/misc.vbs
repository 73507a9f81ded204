' Engine information, RGB, and the named constants.
WScript.Echo ScriptEngine, ScriptEngineMajorVersion, ScriptEngineMinorVersion, TypeName(ScriptEngineBuildVersion)
' expect: VBScript 5 8 Long
WScript.Echo RGB(255, 0, 0), RGB(0, 255, 0), RGB(1, 2, 3), RGB(300, 0, 0), vbRed, vbBlue
' expect: 255 65280 197121 255 255 16711680
WScript.Echo vbOKCancel, vbCritical, vbDefaultButton2, vbString, vbArray, vbLongDate, vbSunday, vbSaturday
' expect: 1 16 256 8 8192 1 1 7
WScript.Echo Len(vbNewLine), Asc(vbCr), Asc(vbLf), Asc(vbNullChar), vbNullString = ""
' expect: 2 13 10 0 True
