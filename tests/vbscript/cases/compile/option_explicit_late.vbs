' Option Explicit must come before every other statement of the script.
Dim score
score = 10
Option Explicit
' expect error: (4, 1) compilation error: Must be first statement on the line
