' Err.Raise takes what it is not given from the Source and Description the script set and has
' not cleared; a number set without a text reads as the language's text for it.
On Error Resume Next
Err.Source = "Inventory"
Err.Description = "Bag is full"
Err.Raise vbObjectError + 7
WScript.Echo Err.Number - vbObjectError, Err.Source, Err.Description
' expect: 7 Inventory Bag is full
Err.Raise 5
WScript.Echo Err.Number, Err.Source, Err.Description
' expect: 5 Inventory Bag is full
Err.Clear
Err.Raise 5
WScript.Echo Err.Number, Err.Source, Err.Description
' expect: 5 Microsoft VBScript runtime error Invalid procedure call or argument
Err.Raise 9, "Map"
Err.Raise 13
WScript.Echo Err.Number, Err.Source, Err.Description
' expect: 13 Map Type mismatch
Err.Clear
Err.Number = 6
WScript.Echo Err.Number, Err.Description
' expect: 6 Overflow
Err.Number = 4242
WScript.Echo "[" & Err.Description & "]"
' expect: []
