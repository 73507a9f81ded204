' FileSystemObject: "*" and "?" in the last part of a source, folder destinations, creating on
' open, and File.Copy/Move/Name, which follow the same rules.
Dim fso : Set fso = CreateObject("Scripting.FileSystemObject")
Dim base : base = fso.BuildPath(fso.GetSpecialFolder(2), "qvbs_w_" & fso.GetTempName())
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
fso.MoveFile base & "\*.log", base & "\Out"
WScript.Echo Names(base), Names(base & "\Out")
' expect: a1.txt B2.TXT d44.txt  a1.txt B2.TXT c3.log d44.txt 
fso.DeleteFile base & "\Out\*"
Dim ts : Set ts = fso.OpenTextFile(base & "\Out\made.txt", 1, True)
WScript.Echo ts.AtEndOfStream, Names(base & "\Out")
' expect: True made.txt 
ts.Close
On Error Resume Next
Dim e(6)
fso.CopyFile base & "\*.txt", base & "\Out", False : e(0) = Err.Number : Err.Clear
fso.CopyFile base & "\*.txt", base & "\Out", False : e(1) = Err.Number : Err.Clear
fso.MoveFile base & "\*.txt", base & "\Out" : e(2) = Err.Number : Err.Clear
fso.DeleteFile base & "\*.bak" : e(3) = Err.Number : Err.Clear
fso.CopyFile base & "\*.txt", base & "\Missing\" : e(4) = Err.Number : Err.Clear
fso.DeleteFolder base & "\Z*" : e(5) = Err.Number : Err.Clear
' Without a final separator the destination names the copy, and a folder cannot be replaced.
fso.CopyFile base & "\a1.txt", base & "\out" : e(6) = Err.Number : Err.Clear
WScript.Echo Join(e), fso.FileExists(base & "\Out\Out")
' expect: 0 58 58 53 76 76 70 False
Dim f : Set f = fso.GetFile(base & "\a1.txt")
f.Copy base & "\B2.txt", False : e(0) = Err.Number : Err.Clear
f.Move base & "\d44.txt" : e(1) = Err.Number : Err.Clear
f.Name = "b2.TXT" : e(2) = Err.Number : Err.Clear
WScript.Echo e(0), e(1), e(2), fso.GetFile(base & "\d44.txt").Size, f.Name
' expect: 58 58 58 7 a1.txt
fso.CreateFolder base & "\Moved"
f.Move base & "\Moved\"
f.Name = "z.txt"
WScript.Echo Err.Number, fso.FileExists(base & "\a1.txt"), f.Name, fso.GetFile(base & "\Moved\z.txt").Size
' expect: 0 False z.txt 6
fso.DeleteFolder base & "\O*"
WScript.Echo Err.Number, fso.FolderExists(base & "\Out")
' expect: 0 False
fso.DeleteFolder base
WScript.Echo fso.FolderExists(base)
' expect: False
