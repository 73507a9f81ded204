' FileSystemObject: create, write, append, read, copy, move, delete, and path helpers.
Dim fso : Set fso = CreateObject("Scripting.FileSystemObject")
Dim base : base = fso.BuildPath(fso.GetSpecialFolder(2), "qvbs_" & fso.GetTempName())
fso.CreateFolder base
WScript.Echo fso.FolderExists(base), fso.FileExists(base)
' expect: True False
Dim path : path = fso.BuildPath(base, "Notes.txt")
Dim ts : Set ts = fso.CreateTextFile(path, True)
ts.WriteLine "first line"
ts.Write "second"
ts.WriteBlankLines 1
ts.Close
Set ts = fso.OpenTextFile(path, 8)
ts.WriteLine "appended é"
ts.Close
Set ts = fso.OpenTextFile(base & "\NOTES.TXT", 1)
Do Until ts.AtEndOfStream
  WScript.Echo ts.Line & ": " & ts.ReadLine
Loop
ts.Close
' expect: 1: first line
' expect: 2: second
' expect: 3: appended é
Set ts = fso.OpenTextFile(path)
WScript.Echo Len(ts.ReadAll), fso.GetFile(path).Size
' expect: 32 32
ts.Close
fso.CopyFile path, fso.BuildPath(base, "copy.txt")
fso.MoveFile fso.BuildPath(base, "copy.txt"), fso.BuildPath(base, "moved.txt")
WScript.Echo fso.FileExists(fso.BuildPath(base, "copy.txt")), fso.FileExists(fso.BuildPath(base, "MOVED.txt"))
' expect: False True
Dim f, names
For Each f In fso.GetFolder(base).Files : names = names & f.Name & " " : Next
WScript.Echo names
' expect: moved.txt Notes.txt 
Set ts = fso.OpenTextFile(fso.BuildPath(base, "new.txt"), 2, True)
ts.Write "x"
ts.Close
WScript.Echo fso.OpenTextFile(fso.BuildPath(base, "new.txt")).ReadAll
' expect: x
WScript.Echo fso.GetFileName("C:\dir\file.ext"), fso.GetBaseName("a\b.tar.gz"), fso.GetExtensionName("a\b.tar.gz"), fso.GetParentFolderName("C:\dir\file.ext")
' expect: file.ext b.tar gz C:\dir
On Error Resume Next
Set ts = fso.OpenTextFile(fso.BuildPath(base, "absent.txt"))
WScript.Echo Err.Number, Err.Description
' expect: 53 File not found
Err.Clear
Set ts = fso.OpenTextFile(path)
ts.ReadAll
ts.ReadLine
WScript.Echo Err.Number, Err.Description
' expect: 62 Input past end of file
Err.Clear
ts.Write "x"
WScript.Echo Err.Number, Err.Description
' expect: 54 Bad file mode
ts.Close
Err.Clear
fso.CreateTextFile path, False
WScript.Echo Err.Number, Err.Description
' expect: 58 File already exists
On Error GoTo 0
fso.DeleteFile path
fso.DeleteFolder base
WScript.Echo fso.FolderExists(base)
' expect: False
' Neither the FileSystemObject nor a TextStream has a default member.
On Error Resume Next
x = fso("/")
WScript.Echo Err.Number
' expect: 438
