' TextStream reading by characters and lines, Unicode files, folders and file properties.
Dim fso : Set fso = CreateObject("Scripting.FileSystemObject")
Dim dir : dir = fso.BuildPath(fso.GetSpecialFolder(2), "qvbs_s_" & fso.GetTempName())
Dim folder : Set folder = fso.CreateFolder(dir)
WScript.Echo TypeName(folder), folder.Name = fso.GetFileName(dir)
' expect: Folder True
Dim ts : Set ts = folder.CreateTextFile("data.txt")
ts.Write "line one" & vbCrLf & "line two" & vbLf & "end"
ts.Close
Set ts = fso.OpenTextFile(fso.BuildPath(dir, "data.txt"), 1)
WScript.Echo ts.Read(4), ts.Column, ts.AtEndOfLine
' expect: line 5 False
ts.Skip 4
WScript.Echo ts.AtEndOfLine, "[" & ts.ReadLine & "]", ts.Line
' expect: True [] 2
WScript.Echo ts.ReadLine, ts.Line, ts.ReadLine, ts.AtEndOfStream
' expect: line two 3 end True
ts.Close
Set ts = fso.CreateTextFile(fso.BuildPath(dir, "wide.txt"), True, True)
ts.WriteLine "Grüße €"
ts.Close
Set ts = fso.OpenTextFile(fso.BuildPath(dir, "wide.txt"), 1, False, -1)
WScript.Echo ts.ReadLine
' expect: Grüße €
ts.Close
Dim f : Set f = fso.GetFile(fso.BuildPath(dir, "DATA.TXT"))
WScript.Echo f.Name, f.Size, TypeName(f), TypeName(f.DateLastModified), f.ParentFolder.Name = folder.Name
' expect: data.txt 22 File Date True
Set ts = f.OpenAsTextStream(8)
ts.Write "!"
ts.Close
WScript.Echo fso.GetFile(f.Path).Size
' expect: 23
fso.CreateFolder fso.BuildPath(dir, "sub")
fso.CopyFile f.Path, fso.BuildPath(dir, "sub\")
WScript.Echo folder.SubFolders.Count, fso.FileExists(fso.BuildPath(dir, "sub\data.txt")), folder.Files.Count
' expect: 1 True 2
fso.CopyFolder fso.BuildPath(dir, "sub"), fso.BuildPath(dir, "copy")
WScript.Echo fso.FolderExists(fso.BuildPath(dir, "COPY")), fso.GetFolder(fso.BuildPath(dir, "copy")).Files.Count
' expect: True 1
On Error Resume Next
fso.CreateFolder fso.BuildPath(dir, "sub")
WScript.Echo Err.Number
' expect: 58
Err.Clear
Set ts = folder.CreateTextFile("empty.txt")
ts.Close
Set ts = fso.OpenTextFile(fso.BuildPath(dir, "empty.txt"))
Dim all : all = "unread"
all = ts.ReadAll
WScript.Echo ts.AtEndOfStream, Err.Number, all
' expect: True 62 unread
ts.Close
Err.Clear
fso.DeleteFolder fso.BuildPath(dir, "nope")
WScript.Echo Err.Number
' expect: 76
On Error GoTo 0
fso.DeleteFolder dir
WScript.Echo fso.FolderExists(dir)
' expect: False
