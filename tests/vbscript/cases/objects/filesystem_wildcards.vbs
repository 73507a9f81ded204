' FileSystemObject: "*" and "?" in the last part of a source, folder destinations, creating on
' open, and File.Copy/Move/Name, which follow the same rules.
Dim fso : Set fso = CreateObject("Scripting.FileSystemObject")
Dim base : base = fso.BuildPath(fso.GetSpecialFolder(2), "qvbs_" & fso.GetTempName())
fso.CreateFolder base
fso.CreateFolder base & "\Out"
Dim n
For Each n In Array("a1.txt", "B2.TXT", "c3.log", "d44.txt")
  fso.CreateTextFile(fso.BuildPath(base, n)).Write n
Next
Function Names(folder)
  Dim f : Names = ""
  For Each f In fso.GetFolder(folder).Files : Names = Names & f.Name & " " : Next
End Function
fso.CopyFile base & "\?2.txt", base & "\Out"
WScript.Echo Names(base & "\Out"), fso.GetFolder(base).Files("a1.TXT").Size
' expect: B2.TXT  6
fso.CopyFile base & "\*.txt", base & "\Out\"
WScript.Echo Names(base & "\Out")
' expect: a1.txt B2.TXT d44.txt 
fso.MoveFile base & "\*.log", base & "\Out"
WScript.Echo Names(base), Names(base & "\Out")
' expect: a1.txt B2.TXT d44.txt  a1.txt B2.TXT c3.log d44.txt 
fso.DeleteFile base & "\Out\*"
WScript.Echo Names(base & "\Out") = ""
' expect: True
' Opening for reading may create the file, empty.
Dim ts : Set ts = fso.OpenTextFile(base & "\Out\made.txt", 1, True)
WScript.Echo ts.AtEndOfStream, fso.FileExists(base & "\Out\made.txt")
' expect: True True
ts.Close
On Error Resume Next
fso.CopyFile base & "\*.txt", base & "\Out", False
WScript.Echo Err.Number
' expect: 0
fso.CopyFile base & "\*.txt", base & "\Out", False
WScript.Echo Err.Number, Err.Description
' expect: 58 File already exists
Err.Clear
fso.MoveFile base & "\*.txt", base & "\Out"
WScript.Echo Err.Number, Err.Description
' expect: 58 File already exists
Err.Clear
fso.DeleteFile base & "\*.bak"
WScript.Echo Err.Number, Err.Description
' expect: 53 File not found
Err.Clear
fso.CopyFile base & "\*.txt", base & "\Missing\"
WScript.Echo Err.Number, Err.Description
' expect: 76 Path not found
Err.Clear
fso.DeleteFolder base & "\Z*"
WScript.Echo Err.Number, Err.Description
' expect: 76 Path not found
Err.Clear
' Without a final separator the destination names the copy, and a folder cannot be replaced.
fso.CopyFile base & "\a1.txt", base & "\out"
WScript.Echo Err.Number, fso.FileExists(base & "\Out\Out")
' expect: 70 False
Err.Clear
Dim f : Set f = fso.GetFile(base & "\a1.txt")
f.Copy base & "\B2.txt", False
WScript.Echo Err.Number
' expect: 58
Err.Clear
f.Move base & "\d44.txt"
WScript.Echo Err.Number, fso.GetFile(base & "\d44.txt").Size
' expect: 58 7
Err.Clear
f.Name = "b2.TXT"
WScript.Echo Err.Number, f.Name
' expect: 58 a1.txt
Err.Clear
fso.CreateFolder base & "\Moved"
f.Move base & "\Moved\"
WScript.Echo Err.Number, f.Name, fso.FileExists(base & "\a1.txt"), fso.GetFile(base & "\Moved\a1.txt").Size
' expect: 0 a1.txt False 6
f.Name = "z.txt"
WScript.Echo f.Name, fso.FileExists(base & "\Moved\z.txt")
' expect: z.txt True
fso.DeleteFolder base & "\O*"
WScript.Echo Err.Number, fso.FolderExists(base & "\Out")
' expect: 0 False
fso.DeleteFolder base
WScript.Echo fso.FolderExists(base)
' expect: False
