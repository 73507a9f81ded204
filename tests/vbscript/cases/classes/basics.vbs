' Classes: fields, Public/Private, methods, properties with Get/Let/Set, Me, New.
Class Account
  Private m_balance
  Public Owner
  Private Sub Class_Initialize()
    m_balance = 0
  End Sub
  Public Property Get Balance()
    Balance = m_balance
  End Property
  Public Sub Deposit(amount)
    m_balance = m_balance + amount
  End Sub
  Public Function Describe()
    Describe = Me.Owner & ": " & FormatBalance()
  End Function
  Private Function FormatBalance()
    FormatBalance = "$" & m_balance
  End Function
End Class
Dim acc : Set acc = New Account
acc.Owner = "Ann"
acc.Deposit 10
acc.Deposit(5)
WScript.Echo acc.Balance, acc.Describe(), TypeName(acc), VarType(acc)
' expect: 15 Ann: $15 Account 9
On Error Resume Next
acc.m_balance = 100
WScript.Echo Err.Number, Err.Description
' expect: 438 Object doesn't support this property or method
Err.Clear
WScript.Echo acc.FormatBalance()
WScript.Echo Err.Number
' expect: 438
Err.Clear
acc.Balance = 3
WScript.Echo Err.Number
' expect: 450
On Error GoTo 0
Dim other : Set other = New account
WScript.Echo other.Balance, acc Is other, acc Is acc
' expect: 0 False True
