' CreateObject's failure names the class it could not create.
Set o = CreateObject("No.Such.Class")
' expect error: (2, 1) runtime error: ActiveX component can't create object: 'No.Such.Class'
