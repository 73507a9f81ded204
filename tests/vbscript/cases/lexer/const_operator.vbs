' A constant takes one literal; an operator joining two literals is refused where it stands.
Const Prefix = "T", Negative = -1
Const Joined = "T" & "-shirt"
' expect error: (3, 20) compilation error: Expected literal constant
